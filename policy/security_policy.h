// The main window's policy work: filling the list for the safe or the
// blocked view, and the view switch, mark and add commands. Everything is
// read afresh from the registry for each fill and each command.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "policy/policy_view.h"
#include "policy/mod_registry.h"
#include "policy/running_outlook.h"

namespace sarvell::policy {

inline constexpr const char* kMarkSafeCaption = "Mark as safe";
inline constexpr const char* kMarkBlockedCaption = "Mark as blocked";
// The blocked view's context menu item that shows the newer types.
inline constexpr const char* kShowNewerTypesCaption = "Show types newer Outlooks block";

// The safe-list filter of the blocked view: a catalogue row is left out when
// any entry occurs in it, compared without regard to letter case. Entries
// are looked up as substrings of the row, so a fill costs the same for ten
// entries as for ten thousand. The catalogue rows are ASCII, where folding
// ASCII letters is the whole of a case-insensitive comparison.
class ListFilter {
public:
    explicit ListFilter(const std::vector<std::string>& entries);
    bool Suppresses(std::string_view row) const;
    // Whether an entry is the whole extension, as the newer types are hidden:
    // ".py" made safe leaves ".pyc" blocked.
    bool Holds(std::string_view extension) const;

private:
    bool matchesEverything_ = false;  // an empty entry occurs in every row
    std::size_t longest_ = 0;
    std::vector<std::string> sorted_;  // folded and sorted
};

// The first row whose extension starts with what the user typed, letters
// compared without regard to case: without its leading "." unless the typed
// text has one. -1 when no row does.
int FindTypedRow(const PolicyView& view, std::string_view typed);

class SecurityPolicy {
public:
    // Every fill of the list also tells the view, first, why the last
    // command changed nothing: its change could not be saved, or the value
    // it would change is not text (until it is). Else, with the Outlook
    // version: after a change, that none is registered; what decides above the lists
    // (PolicyNote); or that a change waits for Outlook to restart: after a
    // command changed a list, while an Outlook that `running` listed then
    // still runs.
    SecurityPolicy(PolicyView& view, std::string securityKeyPath, std::string outlookVersion = {},
                   std::vector<Process> (*running)() = OutlookProcesses);

    const std::string& SecurityKeyPath() const { return securityKeyPath_; }

    // Fills the list for the view optType selects.
    void RefreshList();
    // Clears the list and adds the catalogue rows the safe list lets through,
    // then, when the user asked for them, the newer types it does not hold.
    void FillBlockedList();
    void AddListItem(std::string_view row, const ListFilter& filter);
    // 0: the Level1Remove entries (clearing first); any other index: appends
    // the Level1Add entries as user rows. Stops quietly on any error.
    void LoadRegistryEntries(std::int32_t viewIndex);
    // Write the entries to Level1Remove / Level1Add, or delete the value
    // when there are none.
    void SaveRemoveList(const std::vector<std::string>& entries);
    void SaveAddList(const std::vector<std::string>& entries);

    // optType click, with the index of the clicked button.
    void ViewSwitch(std::int16_t index);
    // cmdDelete click: marks the selected extension safe or blocked.
    void MarkClick();
    // cmdAdd click: adds the typed extension to the block list.
    void AddClick();

private:
    void SaveList(std::string_view valueName, const std::vector<std::string>& entries);
    bool ShowsStored(std::string_view valueName, std::vector<std::string>& entries);
    // Whether a command must leave the value as it is (it could not be read,
    // or is not text), saying why at the next fill.
    bool Refuses(const ListRead& read, std::string_view valueName);
    // A command: a write that failed, or memory that ran out, ends it and
    // Unsaved refills the list.
    template <typename Command>
    void Run(Command&& command);
    void Unsaved();

    void ShowPolicyNote();

    PolicyView& view_;
    std::string securityKeyPath_;
    std::string outlookVersion_;
    std::vector<Process> (*running_)();
    std::vector<Process> outlooksAtChange_;  // that ran when a list last changed
    // Why the last command changed nothing, until a change is stored: its
    // write failed, or the value it would change is not text.
    bool unsaved_ = false;
    std::string notText_;
    bool changedUnread_ = false;  // a list changed where no Outlook is registered to read it
};

}  // namespace sarvell::policy
