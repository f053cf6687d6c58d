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
    bool safeView = true, addEnabled = false, newerTypes = false;
    std::string extension, markCaption, policyNote;
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
    bool NewerTypesShown() const override { return newerTypes; }
    std::string ExtensionText() const override { return extension; }
    void SetExtensionText(const std::string& text) override { extension = text; }
    void SetMarkCaption(const std::string& caption) override { markCaption = caption; }
    void SetAddEnabled(bool enabled) override { addEnabled = enabled; }
    void SetPolicyNote(const std::string& note) override { policyNote = note; }

private:
    bool Has(int i) const { return i >= 0 && i < RowCount(); }
};

using Entries = std::vector<std::string>;
using Text = std::optional<std::string>;  // a list value's text; nothing when absent

// A list value's text as stored, without the zero that ends it.
inline Text StoredText(registry::Platform& p, const std::string& keyPath, const std::string& name) {
    const auto stored = GetRaw(p, registry::HKeyCurrentUser, keyPath, name);
    if (!stored) return std::nullopt;
    const Bytes& d = stored->data;
    return std::string(d.begin(), d.end() - (!d.empty() && d.back() == 0 ? 1 : 0));
}

// Split at every ";"; an absent or empty text has no entries.
inline Entries Split(const Text& text) {
    if (!text || text->empty()) return {};
    Entries out(1);
    for (char c : *text) c == ';' ? (void)out.emplace_back() : out.back().push_back(c);
    return out;
}

// The entries a list shows: none when its first entry is "none".
inline Entries Shown(const Text& text) {
    Entries e = Split(text);
    return e.empty() || e.front() == "none" ? Entries{} : e;
}

// A row as the list box shows it: cut at its first zero character.
inline std::string Cut(const std::string& row) { return row.substr(0, row.find('\0')); }

// A newer type's row, and its extension, as the table gives them.
inline std::string NewerRow(const policy::NewerType& t) { return std::string(t.extension) + " - " + std::string(t.description); }

// The rows the list must show for what is stored: in the blocked view the
// catalogue rows no safe entry occurs in, then, when asked for, the newer
// types no safe entry names whole, then the user rows.
inline Entries ExpectedRows(registry::Platform& p, const std::string& keyPath, bool safeView, bool newer = false) {
    Entries rows;
    const auto show = [&](const char* name, const std::string& suffix) {
        for (const std::string& entry : Shown(StoredText(p, keyPath, name))) rows.push_back(Cut(entry + suffix));
    };
    if (safeView) {
        show("Level1Remove", "");
        return rows;
    }
    const auto upper = [](std::string s) {
        for (char& c : s) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
        return s;
    };
    const Entries remove = Split(StoredText(p, keyPath, "Level1Remove"));
    for (std::string_view row : policy::kCatalogue) {
        if (std::none_of(remove.begin(), remove.end(),
                         [&](const std::string& e) { return upper(std::string(row)).find(upper(e)) != std::string::npos; })) {
            rows.emplace_back(row);
        }
    }
    for (const policy::NewerType& t : policy::kNewerTypes) {
        if (newer && std::none_of(remove.begin(), remove.end(), [&](const std::string& e) { return upper(e) == upper(std::string(t.extension)); })) {
            rows.push_back(NewerRow(t));
        }
    }
    show("Level1Add", " - User Applied");
    return rows;
}

// What Mark (or Add) must leave in Level1Remove and Level1Add, from what
// they held and what the view showed. A command rewrites a list only from
// rows that show exactly what is stored, the user rows being the last ones;
// a new entry goes in front of the text stored, or alone for no list.
struct Lists {
    Text remove, add;
};
inline Lists AfterCommand(Lists lists, const MemoryView& view, bool add) {
    const auto prepend = [](const std::string& entry, const Text& old) {
        return Split(old).empty() || *old == "none" ? entry : entry + ";" + *old;
    };
    if (add) {
        const std::string& typed = view.extension;
        lists.add = prepend(typed.starts_with('.') ? typed : "." + typed, lists.add);
        return lists;
    }
    const Entries& rows = view.rows;
    const int at = view.selected, count = static_cast<int>(rows.size());
    if (at < 0 || at >= count) return lists;
    Text& value = view.safeView ? lists.remove : lists.add;
    Entries entries = Shown(value);
    const int first = count - static_cast<int>(entries.size());
    bool showsStored = first >= 0 && (first == 0 || !view.safeView);
    for (int i = 0; showsStored && i < count - first; ++i) {
        showsStored = rows[static_cast<std::size_t>(first + i)] ==
                      Cut(entries[static_cast<std::size_t>(i)] + (view.safeView ? "" : " - User Applied"));
    }
    const std::string& row = rows[static_cast<std::size_t>(at)];
    if (showsStored && at >= first) {
        entries.erase(entries.begin() + (at - first));
        value = std::nullopt;
        for (const std::string& e : entries) value = value ? *value + ";" + e : e;
    } else if (!view.safeView && std::find(policy::kCatalogue.begin(), policy::kCatalogue.end(), row) != policy::kCatalogue.end()) {
        lists.remove = prepend(row.substr(0, row.find(" - ")), lists.remove);
    } else if (const auto t = std::find_if(policy::kNewerTypes.begin(), policy::kNewerTypes.end(), [&](auto& t) { return NewerRow(t) == row; });
               !view.safeView && t != policy::kNewerTypes.end()) {
        lists.remove = prepend(std::string(t->extension), lists.remove);
    }
    return lists;
}

}  // namespace sarvell::test
