// The main window's controls as the policy sees them, in memory, behaving as
// the real ones do: a row is cut at its first zero character, a bad index
// reads as the empty text and removes nothing, and removing or clearing
// rows takes the selection away.
#pragma once

#include <string>
#include <vector>

#include "policy/policy_view.h"

namespace sarvell::test {

class MemoryView : public policy::PolicyView {
public:
    std::vector<std::string> rows;
    int selected = -1;
    bool safeView = true, addEnabled = false;
    std::string extension, markCaption;
    int appendsLeft = -1;  // after this many more rows the list takes no more (-1: never)

    int RowCount() const override { return static_cast<int>(rows.size()); }
    std::string RowText(int i) const override { return Has(i) ? rows[static_cast<std::size_t>(i)] : std::string(); }
    void ClearRows() override { rows.clear(), selected = -1; }
    bool AppendRow(const std::string& text) override {
        if (appendsLeft == 0) return false;
        appendsLeft -= appendsLeft > 0 ? 1 : 0;
        rows.push_back(text.substr(0, text.find('\0')));
        return true;
    }
    void RemoveRow(int i) override {
        if (Has(i)) rows.erase(rows.begin() + i);
        selected = -1;
    }
    int SelectedIndex() const override { return selected; }
    bool SafeViewSelected() const override { return safeView; }
    std::string ExtensionText() const override { return extension; }
    void SetExtensionText(const std::string& text) override { extension = text; }
    void SetMarkCaption(const std::string& caption) override { markCaption = caption; }
    void SetAddEnabled(bool enabled) override { addEnabled = enabled; }

private:
    bool Has(int i) const { return i >= 0 && i < RowCount(); }
};

}  // namespace sarvell::test
