// What the policy sees of the main window: the list of extensions, the view
// selector, the text box and the two command buttons. The main window
// implements it over its controls; tests implement it in memory.
#pragma once

#include <string>

namespace sarvell::policy {

class PolicyView {
public:
    virtual ~PolicyView() = default;

    // lbExtensions: an unsorted, single-selection list of text rows.
    virtual int RowCount() const = 0;
    virtual std::string RowText(int index) const = 0;
    virtual void ClearRows() = 0;
    // False when the list could not take the row.
    virtual bool AppendRow(const std::string& text) = 0;
    virtual void RemoveRow(int index) = 0;
    virtual int SelectedIndex() const = 0;  // -1 when no row is selected
    // Brackets a fill of many rows, so the list is redrawn once.
    virtual void BeginRowUpdate() {}
    virtual void EndRowUpdate() {}

    // optType: whether the button of index 0 (the safe view) is selected.
    virtual bool SafeViewSelected() const = 0;
    // Whether the user asked the blocked view for the types newer Outlooks
    // block; never at start.
    virtual bool NewerTypesShown() const = 0;

    // txtExtension.
    virtual std::string ExtensionText() const = 0;
    virtual void SetExtensionText(const std::string& text) = 0;

    // cmdDelete and cmdAdd.
    virtual void SetMarkCaption(const std::string& caption) = 0;
    virtual void SetAddEnabled(bool enabled) = 0;

    // What the title adds to the program's name when Group Policy decides.
    virtual void SetPolicyNote(const std::string& note) = 0;
};

}  // namespace sarvell::policy
