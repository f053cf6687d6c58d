#include "tests/support/policy_model.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "policy/catalogue.h"

namespace sarvell::test {

namespace {

std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> out(1);
    for (char c : text) c == ';' ? (void)out.emplace_back() : out.back().push_back(c);
    return out;
}

std::string Upper(std::string s) {
    for (char& c : s) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
    return s;
}

std::string Cut(const std::string& row) { return row.substr(0, row.find('\0')); }

// String data without its terminating zero, if it has one.
std::string Text(const Bytes& d) { return std::string(d.begin(), d.end() - (!d.empty() && d.back() == 0 ? 1 : 0)); }

// The text a list read shows for the stored data, or "none".
std::string Shown(const std::optional<RawValue>& raw) {
    if (!raw) return "none";
    const Bytes& d = raw->data;
    std::string text;
    if (raw->type == 1 || raw->type == 2 || raw->type == 7) {
        text = Text(d);
    } else if ((raw->type == 4 || raw->type == 5) && d.size() <= 4) {
        std::uint32_t v = 0;
        for (std::size_t i = 0; i < d.size(); ++i) v |= std::uint32_t{d[i]} << (raw->type == 4 ? 8 * i : 24 - 8 * i);
        text = std::to_string(static_cast<std::int32_t>(v));
    } else {
        char hex[4];
        for (std::uint8_t b : d) text += (std::snprintf(hex, sizeof hex, "%02X ", b), hex);
        text += "00";
    }
    return text.empty() ? "none" : text;
}

std::map<std::string, int> Count(const std::vector<std::string>& entries) {
    std::map<std::string, int> count;
    for (const auto& e : entries) ++count[e];
    return count;
}

}  // namespace

ListState ReadList(registry::Platform& p, const std::string& keyPath, const std::string& name) {
    ListState s;
    s.raw = GetRaw(p, registry::HKeyCurrentUser, keyPath, name);
    s.isText = s.raw && (s.raw->type == 1 || s.raw->type == 2 || s.raw->type == 7);
    const std::string text = Shown(s.raw);
    if (text != "none") s.entries = Split(text);
    return s;
}

std::vector<std::string> ExpectedRows(registry::Platform& p, const std::string& keyPath, bool safeView) {
    const auto remove = Split(Shown(GetRaw(p, registry::HKeyCurrentUser, keyPath, "Level1Remove")));
    std::vector<std::string> rows;
    if (safeView) {
        if (remove.front() != "none") std::transform(remove.begin(), remove.end(), std::back_inserter(rows), Cut);
        return rows;
    }
    for (std::string_view row : policy::kCatalogue) {
        if (std::none_of(remove.begin(), remove.end(),
                         [&](const std::string& e) { return Upper(std::string(row)).find(Upper(e)) != std::string::npos; })) {
            rows.emplace_back(row);
        }
    }
    const auto added = Split(Shown(GetRaw(p, registry::HKeyCurrentUser, keyPath, "Level1Add")));
    if (added.front() != "none") {
        for (const auto& e : added) rows.push_back(Cut(e + " - User Applied"));
    }
    return rows;
}

std::string LostEntries(const ListState& before, const ListState& after, const std::optional<std::string>& removed) {
    if (before.raw && !before.isText) {
        // A value of another type is kept as it is, or deleted when its one row was removed.
        return (after.raw ? after.raw == before.raw : removed.has_value()) ? "" : "a non-string list value changed";
    }
    auto count = Count(after.entries);
    // A list whose one remaining entry is empty, or "none", is written as
    // that text, which reads as no list: the entry is kept all the same.
    if (after.isText && after.entries.empty()) ++count[Text(after.raw->data)];
    std::string lost;
    bool removedOnce = false;
    for (const auto& e : before.entries) {
        if (count[e] > 0) {
            --count[e];
        } else if (removed == e && !removedOnce) {
            removedOnce = true;
        } else {
            lost += "[" + e + "]";
        }
    }
    return lost;
}

std::vector<std::string> GainedEntries(const ListState& before, const ListState& after) {
    auto count = Count(before.entries);
    std::vector<std::string> gained;
    for (const auto& e : after.entries) {
        if (count[e]-- <= 0) gained.push_back(e);
    }
    return gained;
}

}  // namespace sarvell::test
