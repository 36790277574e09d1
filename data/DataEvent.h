#pragma once
// The kinds of notification a record set sends through its data sources to
// the linked controls.

enum class TDataEvent {
    StateChange,    // open, close, insert, append, edit, post, cancel, delete from Edit
    FieldChange,    // a field was written; info: the TField*
    RecordChange,   // edit entered Edit
    DataSetChange,  // the record window was re-read
    Scroll,         // a move by n records; info: how far the record window moved, in
                    // records, positive toward the end of the set (0: only the
                    // current row changed)
    UpdateData,     // controls write the edits they hold pending
    LeaveEditing,   // the leave-editing notice
};
