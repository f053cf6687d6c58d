#include "policy/security_policy.h"

#include <algorithm>
#include <new>

#include "policy/catalogue.h"
#include "policy/group_policy.h"
#include "policy/list_value.h"
#include "policy/mod_registry.h"
#include "policy/outlook_version.h"
#include "registry/registry_error.h"

namespace sarvell::policy {

namespace {

constexpr std::string_view kRemove = kRemoveValue, kAdd = kAddValue;

std::string FoldAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

// The entries a list value shows: none when its first entry is the sentinel.
std::vector<std::string> ShownEntries(const std::string& text) {
    std::vector<std::string> entries = SplitEntries(text);
    if (entries.front() == kNone) entries.clear();
    return entries;
}

class RowUpdate {
public:
    explicit RowUpdate(PolicyView& view) : view_(view) { view_.BeginRowUpdate(); }
    ~RowUpdate() { view_.EndRowUpdate(); }
    RowUpdate(const RowUpdate&) = delete;
    RowUpdate& operator=(const RowUpdate&) = delete;

private:
    PolicyView& view_;
};

}  // namespace

ListFilter::ListFilter(const std::vector<std::string>& entries) {
    for (const auto& e : entries) {
        if (e.empty()) matchesEverything_ = true;
        longest_ = std::max(longest_, e.size());
        sorted_.push_back(FoldAscii(e));
    }
    std::sort(sorted_.begin(), sorted_.end());
}

bool ListFilter::Suppresses(std::string_view row) const {
    if (matchesEverything_) return true;
    const std::string folded = FoldAscii(row);
    const std::string_view r(folded);
    for (std::size_t start = 0; start != r.size(); ++start) {
        const std::size_t most = std::min(longest_, r.size() - start);
        for (std::size_t len = 1; len <= most; ++len) {
            if (std::binary_search(sorted_.begin(), sorted_.end(), r.substr(start, len),
                                   [](std::string_view a, std::string_view b) { return a < b; })) {
                return true;
            }
        }
    }
    return false;
}

bool ListFilter::Holds(std::string_view extension) const {
    return std::binary_search(sorted_.begin(), sorted_.end(), FoldAscii(extension));
}

int FindTypedRow(const PolicyView& view, std::string_view typed) {
    const std::string want = FoldAscii(typed);
    for (int i = 0; i < view.RowCount(); ++i) {
        const std::string row = FoldAscii(view.RowText(i));
        if (std::string_view(row).substr(!typed.starts_with('.') && row.starts_with('.') ? 1 : 0).starts_with(want)) return i;
    }
    return -1;
}

SecurityPolicy::SecurityPolicy(PolicyView& view, std::string securityKeyPath, std::string outlookVersion,
                               std::vector<Process> (*running)())
    : view_(view), securityKeyPath_(std::move(securityKeyPath)), outlookVersion_(std::move(outlookVersion)), running_(running) {}

void SecurityPolicy::ShowPolicyNote() {
    if (!notText_.empty() && ReadListValue(securityKeyPath_, notText_).Composable()) notText_.clear();  // another program made it text
    std::string note = unsaved_ ? kNoteNotSaved : notText_.empty() ? "" : " [" + notText_ + kNoteNotText;
    if (note.empty() && changedUnread_) note = kNoteNoOutlook;
    if (note.empty() && !outlookVersion_.empty()) note = PolicyNote(outlookVersion_);
    if (note.empty() && !outlooksAtChange_.empty()) {
        // An Outlook started since read the lists as they are now.
        const std::vector<Process> now = running_();
        std::erase_if(outlooksAtChange_, [&](const auto& p) { return std::find(now.begin(), now.end(), p) == now.end(); });
        if (!outlooksAtChange_.empty()) note = kNoteRestart;
    }
    view_.SetPolicyNote(note);
}

void SecurityPolicy::RefreshList() {
    ShowPolicyNote();
    if (!view_.SafeViewSelected()) {
        FillBlockedList();
        LoadRegistryEntries(1);
    } else {
        LoadRegistryEntries(0);
    }
}

void SecurityPolicy::FillBlockedList() {
    // The sentinel is not tested: "none" occurs in no catalogue row.
    const ListFilter filter(SplitEntries(GetRegValue(securityKeyPath_, kRemove, kNone)));
    RowUpdate update(view_);
    view_.ClearRows();
    for (std::string_view row : kCatalogue) AddListItem(row, filter);
    if (!view_.NewerTypesShown()) return;
    for (const NewerType& type : kNewerTypes) {
        if (!filter.Holds(type.extension)) view_.AppendRow(type.Row());
    }
}

void SecurityPolicy::AddListItem(std::string_view row, const ListFilter& filter) {
    if (!filter.Suppresses(row)) view_.AppendRow(std::string(row));
}

void SecurityPolicy::LoadRegistryEntries(std::int32_t viewIndex) {
    try {
        RowUpdate update(view_);
        const bool safe = viewIndex == 0;
        if (safe) view_.ClearRows();
        const std::vector<std::string> entries =
            SplitEntries(GetRegValue(securityKeyPath_, safe ? kRemove : kAdd, kNone));
        if (entries.front() == kNone) return;
        for (const auto& entry : entries) {
            if (!view_.AppendRow(safe ? entry : UserRow(entry))) return;
        }
    } catch (const std::bad_alloc&) {
        // The rows added so far stay; the commands check the list against
        // the registry before they write anything back from it.
    }
}

void SecurityPolicy::SaveRemoveList(const std::vector<std::string>& entries) { SaveList(kRemove, entries); }

void SecurityPolicy::SaveAddList(const std::vector<std::string>& entries) { SaveList(kAdd, entries); }

void SecurityPolicy::SaveList(std::string_view valueName, const std::vector<std::string>& entries) {
    if (entries.empty()) {
        DeleteRegValue(securityKeyPath_, valueName);
    } else {
        SetRegValue(securityKeyPath_, valueName, JoinEntries(entries));
    }
    unsaved_ = false;
    notText_.clear();
    changedUnread_ = changedUnread_ || outlookVersion_ == kNoVersion;
    if (!outlookVersion_.empty()) outlooksAtChange_ = running_();  // they go on with the lists they read
}

bool SecurityPolicy::Refuses(const ListRead& read, std::string_view valueName) {
    if (read.Composable()) return false;
    unsaved_ = read.state == ListRead::State::Failed;
    notText_ = unsaved_ ? std::string_view{} : valueName;
    return true;
}

template <typename Command>
void SecurityPolicy::Run(Command&& command) {
    try {
        command();
    } catch (const registry::RegistryError&) {  // a write that failed: the command ends where it stands
        Unsaved();
    } catch (const std::bad_alloc&) {  // as a failed write
        Unsaved();
    }
}

void SecurityPolicy::Unsaved() {
    unsaved_ = true;  // said before any value not text
    RefreshList();  // what is stored, and the title says why
}

// Whether the last rows of the list show exactly the entries stored in the
// value, each as the list box shows it: cut at its first zero character.
// Only then may a command rewrite the value from them: not a list that an
// error left half filled, nor one another program has overtaken. The
// entries come back whole, so a rewrite never cuts one.
bool SecurityPolicy::ShowsStored(std::string_view valueName, std::vector<std::string>& entries) {
    const ListRead read = ReadListValue(securityKeyPath_, valueName);
    if (Refuses(read, valueName)) return false;
    entries = ShownEntries(read.TextOrNone());
    const bool user = valueName == kAdd;
    const int first = view_.RowCount() - static_cast<int>(entries.size());
    if (first < 0 || (!user && first != 0)) return false;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string row = user ? UserRow(entries[i]) : entries[i];
        if (view_.RowText(first + static_cast<int>(i)) != row.substr(0, row.find('\0'))) return false;
    }
    return true;
}

void SecurityPolicy::ViewSwitch(std::int16_t index) {
    if (index == 0 || index == 1) ShowPolicyNote();
    if (index == 1) {
        view_.SetMarkCaption(kMarkSafeCaption);
        FillBlockedList();
        LoadRegistryEntries(1);
        view_.SetAddEnabled(true);
    } else if (index == 0) {
        view_.SetMarkCaption(kMarkBlockedCaption);
        LoadRegistryEntries(0);
        view_.SetAddEnabled(false);
    }
}

void SecurityPolicy::MarkClick() {
    Run([&] {
        const int index = view_.SelectedIndex();
        if (index < 0 || index >= view_.RowCount()) return;
        std::vector<std::string> entries;
        if (view_.SafeViewSelected()) {
            if (!ShowsStored(kRemove, entries)) return RefreshList();
            view_.RemoveRow(index);
            entries.erase(entries.begin() + index);
            SaveRemoveList(entries);
            ShowPolicyNote();
            return;
        }
        // The user rows are the last rows of the blocked view, one per
        // Level1Add entry; anything else must be exactly a catalogue row.
        if (ShowsStored(kAdd, entries)) {
            const int user = index - (view_.RowCount() - static_cast<int>(entries.size()));
            if (user >= 0) {
                entries.erase(entries.begin() + user);
                SaveAddList(entries);
                RefreshList();
                return;
            }
        }
        const std::string row = view_.RowText(index);
        std::string extension;
        if (std::find(kCatalogue.begin(), kCatalogue.end(), row) != kCatalogue.end()) {
            extension = CatalogueExtension(row);
        } else if (const auto newer = std::find_if(kNewerTypes.begin(), kNewerTypes.end(), [&](const NewerType& t) { return t.Row() == row; });
                   newer != kNewerTypes.end()) {
            extension = newer->extension;
        } else {
            return RefreshList();
        }
        // Never over a list that could not be read, or one of another type.
        if (const ListRead read = ReadListValue(securityKeyPath_, kRemove); !Refuses(read, kRemove)) {
            SaveRemoveList({PrependEntry(extension, read.TextOrNone())});
        }
        RefreshList();
    });
}

void SecurityPolicy::AddClick() {
    Run([&] {  // not stored, the typed text stays for another try
        std::string extension = view_.ExtensionText();
        if (extension.empty() || extension.front() != '.') extension.insert(extension.begin(), '.');
        const ListRead read = ReadListValue(securityKeyPath_, kAdd);
        if (Refuses(read, kAdd)) return RefreshList();
        SaveAddList({PrependEntry(extension, read.TextOrNone())});
        RefreshList();
        view_.SetExtensionText("");
    });
}

}  // namespace sarvell::policy
