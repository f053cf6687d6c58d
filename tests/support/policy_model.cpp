#include "tests/support/policy_model.h"

#include <algorithm>
#include <map>

#include "policy/catalogue.h"
#include "registry/cRegistry.h"
#include "tests/support/backends.h"

namespace sarvell::test {

using namespace registry;

namespace {

std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> out(1);
    for (char c : text) {
        if (c == ';') {
            out.emplace_back();
        } else {
            out.back() += c;
        }
    }
    return out;
}

std::string Upper(std::string s) {
    for (char& c : s) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    }
    return s;
}

// The text a list read answers: the stored data as text, or "none".
std::string TextOrNone(Platform& p, const std::string& keyPath, const std::string& name) {
    cRegistry reg;
    reg.ClassKey(HKeyCurrentUser);
    reg.SectionKey(keyPath);
    reg.ValueKey(name);
    Variant v;
    if (reg.ReadValue(v, false) != status::Success) return "none";
    (void)p;
    const std::string text = ToText(v);
    return text.empty() ? "none" : text;
}

}  // namespace

ListState ReadList(Platform& p, const std::string& keyPath, const std::string& name) {
    ListState s;
    const auto raw = GetRaw(p, HKeyCurrentUser, keyPath, name);
    if (!raw) return s;
    s.present = true;
    s.type = raw->type;
    s.data = raw->data;
    s.isText = raw->type == kRegSz || raw->type == kRegExpandSz || raw->type == kRegMultiSz;
    if (!s.isText) return s;
    std::string text(raw->data.begin(), raw->data.end());
    if (!text.empty() && text.back() == '\0') text.pop_back();
    if (!text.empty() && text != "none") s.entries = Split(text);
    return s;
}

std::vector<std::string> ExpectedRows(Platform& p, const std::string& keyPath, bool safeView) {
    std::vector<std::string> rows;
    const std::string remove = TextOrNone(p, keyPath, "Level1Remove");
    if (safeView) {
        const auto entries = Split(remove);
        if (entries.front() != "none") rows = entries;
        return rows;
    }
    const auto filter = Split(remove);
    for (std::string_view row : policy::kCatalogue) {
        const std::string upper = Upper(std::string(row));
        const bool suppressed = std::any_of(filter.begin(), filter.end(), [&](const std::string& e) {
            return upper.find(Upper(e)) != std::string::npos;
        });
        if (!suppressed) rows.emplace_back(row);
    }
    const auto added = Split(TextOrNone(p, keyPath, "Level1Add"));
    if (added.front() != "none") {
        for (const auto& e : added) rows.push_back(e + " - User Applied");
    }
    return rows;
}

std::string LostEntries(const ListState& before, const ListState& after, const std::optional<std::string>& removed) {
    if (before.present && !before.isText) {
        // A value of another type is kept as it is, or deleted when its one row was removed.
        if (after.present ? (after.type == before.type && after.data == before.data) : removed.has_value()) return {};
        return "a non-string list value was changed";
    }
    std::map<std::string, int> count;
    for (const auto& e : after.entries) ++count[e];
    // A list whose one remaining row is an empty entry, or the entry "none",
    // is written as that text, which reads as no list: the entry is kept all
    // the same (and the next compose replaces it, as for any such value).
    if (after.present && after.isText && after.entries.empty()) {
        std::string text(after.data.begin(), after.data.end());
        if (!text.empty() && text.back() == '\0') text.pop_back();
        ++count[text];
    }
    bool removedOnce = false;
    std::string lost;
    for (const auto& e : before.entries) {
        if (count[e] > 0) {
            --count[e];
        } else if (removed && e == *removed && !removedOnce) {
            removedOnce = true;
        } else {
            lost += "[" + e + "]";
        }
    }
    return lost;
}

}  // namespace sarvell::test
