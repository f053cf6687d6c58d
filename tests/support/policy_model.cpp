#include "tests/support/policy_model.h"

#include <algorithm>

#include "policy/catalogue.h"

namespace sarvell::test {

namespace {

std::string Upper(std::string s) {
    for (char& c : s) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
    return s;
}

// As the list box shows a row: cut at its first zero character.
std::string Cut(const std::string& row) { return row.substr(0, row.find('\0')); }

}  // namespace

Entries ReadEntries(registry::Platform& p, const std::string& keyPath, const std::string& name, bool raw) {
    const auto stored = GetRaw(p, registry::HKeyCurrentUser, keyPath, name);
    if (!stored) return {};
    const Bytes& d = stored->data;
    const std::string text(d.begin(), d.end() - (!d.empty() && d.back() == 0 ? 1 : 0));
    if (!raw && (text.empty() || text == "none")) return {};
    Entries out(1);
    for (char c : text) c == ';' ? (void)out.emplace_back() : out.back().push_back(c);
    return out;
}

Entries ExpectedRows(registry::Platform& p, const std::string& keyPath, bool safeView) {
    // A list whose first entry is "none" shows no rows.
    const auto shown = [&](const char* name) {
        Entries e = ReadEntries(p, keyPath, name);
        return !e.empty() && e.front() == "none" ? Entries() : e;
    };
    Entries rows;
    if (safeView) {
        for (const auto& e : shown("Level1Remove")) rows.push_back(Cut(e));
        return rows;
    }
    const Entries remove = ReadEntries(p, keyPath, "Level1Remove");
    for (std::string_view row : policy::kCatalogue) {
        if (std::none_of(remove.begin(), remove.end(),
                         [&](const std::string& e) { return Upper(std::string(row)).find(Upper(e)) != std::string::npos; })) {
            rows.emplace_back(row);
        }
    }
    for (const auto& e : shown("Level1Add")) rows.push_back(Cut(e + " - User Applied"));
    return rows;
}

Entries Less(Entries from, Entries less) {
    std::sort(from.begin(), from.end());
    std::sort(less.begin(), less.end());
    Entries out;
    std::set_difference(from.begin(), from.end(), less.begin(), less.end(), std::back_inserter(out));
    return out;
}

}  // namespace sarvell::test
