#pragma once

// Controls of the Notebook dialog (template IDD_NOTEBOOK) that code addresses.
enum NotebookControlId : int
{
    IDC_NOTEBOOK_BIRTHDAY = 1002,   // date picker: the form's birthday
    IDC_NOTEBOOK_LIST = 1021,       // list view: one entry per contact
    IDC_NOTEBOOK_ADD = 1023,        // "Add"
    IDC_NOTEBOOK_DELETE = 1024,     // "Delete"
    IDC_NOTEBOOK_FIRST_NAME = 1025, // edit "First name"
    IDC_NOTEBOOK_LAST_NAME = 1026,  // edit "Last name"
    IDC_NOTEBOOK_TEL = 1027,        // edit "Tel"
    IDC_NOTEBOOK_TEXT = 1028,       // rich edit in the group "Text"
    IDC_NOTEBOOK_EMAIL = 1029,      // edit "E-mail"
};

namespace res {
// Puts the Notebook dialog's template into the framework's registry.
void RegisterNotebookTemplate();
} // namespace res
