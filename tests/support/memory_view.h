// The main window's controls as the policy sees them, in memory.
#pragma once

#include <string>
#include <vector>

#include "policy/policy_view.h"

namespace sarvell::test {

class MemoryView : public policy::PolicyView {
public:
    std::vector<std::string> rows;
    int selected = -1;
    bool safeView = true;
    std::string extension;
    std::string markCaption = "Mark as blocked";
    bool addEnabled = false;
    // After this many more appends, the list refuses rows (-1: never).
    int appendsLeft = -1;

    int RowCount() const override { return static_cast<int>(rows.size()); }
    std::string RowText(int index) const override { return rows.at(static_cast<std::size_t>(index)); }
    void ClearRows() override {
        rows.clear();
        selected = -1;
    }
    bool AppendRow(const std::string& text) override {
        if (appendsLeft == 0) return false;
        if (appendsLeft > 0) --appendsLeft;
        rows.push_back(text);
        return true;
    }
    void RemoveRow(int index) override {
        rows.erase(rows.begin() + index);
        selected = -1;
    }
    int SelectedIndex() const override { return selected; }
    bool SafeViewSelected() const override { return safeView; }
    std::string ExtensionText() const override { return extension; }
    void SetExtensionText(const std::string& text) override { extension = text; }
    void SetMarkCaption(const std::string& caption) override { markCaption = caption; }
    void SetAddEnabled(bool enabled) override { addEnabled = enabled; }

    // Selects the first row with this text; false when there is none.
    bool Select(const std::string& text) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (rows[i] == text) {
                selected = static_cast<int>(i);
                return true;
            }
        }
        return false;
    }
};

}  // namespace sarvell::test
