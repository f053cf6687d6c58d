// The policy's view in memory, and an independent model of what the policy
// must show and keep. The model reads the stored bytes through the platform
// it is given, never through the code under test.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "policy/catalogue.h"
#include "policy/policy_view.h"
#include "tests/support/backends.h"

namespace sarvell::test {

// The main window's controls as the policy sees them, in memory, behaving as
// the real ones do: a row is cut at its first zero character, a bad index
// reads as the empty text and removes nothing, and removing or clearing
// rows takes the selection away.
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

using Entries = std::vector<std::string>;

// The entries of a list value stored as a string type: none when it is
// absent, and, unless `raw`, none for an empty text or "none", which read as
// no list.
inline Entries ReadEntries(registry::Platform& p, const std::string& keyPath, const std::string& name, bool raw = false) {
    const auto stored = GetRaw(p, registry::HKeyCurrentUser, keyPath, name);
    if (!stored) return {};
    const Bytes& d = stored->data;
    const std::string text(d.begin(), d.end() - (!d.empty() && d.back() == 0 ? 1 : 0));
    if (!raw && (text.empty() || text == "none")) return {};
    Entries out(1);
    for (char c : text) c == ';' ? (void)out.emplace_back() : out.back().push_back(c);
    return out;
}

// The rows the list must show for what is stored: a list whose first entry
// is "none" shows none, and a row is cut at its first zero character, as
// the list box shows it.
inline Entries ExpectedRows(registry::Platform& p, const std::string& keyPath, bool safeView) {
    Entries rows;
    const auto show = [&](const char* name, const std::string& suffix) {
        const Entries e = ReadEntries(p, keyPath, name);
        if (e.empty() || e.front() == "none") return;
        for (const std::string& entry : e) rows.push_back((entry + suffix).substr(0, (entry + suffix).find('\0')));
    };
    if (safeView) {
        show("Level1Remove", "");
        return rows;
    }
    const auto upper = [](std::string s) {
        for (char& c : s) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
        return s;
    };
    const Entries remove = ReadEntries(p, keyPath, "Level1Remove");
    for (std::string_view row : policy::kCatalogue) {
        if (std::none_of(remove.begin(), remove.end(),
                         [&](const std::string& e) { return upper(std::string(row)).find(upper(e)) != std::string::npos; })) {
            rows.emplace_back(row);
        }
    }
    show("Level1Add", " - User Applied");
    return rows;
}

// `from` less the entries of `less`, counted with repeats.
inline Entries Less(Entries from, Entries less) {
    std::sort(from.begin(), from.end());
    std::sort(less.begin(), less.end());
    Entries out;
    std::set_difference(from.begin(), from.end(), less.begin(), less.end(), std::back_inserter(out));
    return out;
}

}  // namespace sarvell::test
