#pragma once
// The records the user has posted, as a model kept beside the window during
// the random-use run. Before each event it notes what a post could store (the
// record being edited or inserted, with the edits still pending in the
// controls); after the event the stored records may differ from the model in
// at most one way that the event's user could have caused:
//   - nothing changed;
//   - the new record (state Insert before) stored somewhere, with its values;
//   - the edited record (state Edit before) stored in its place, with its values;
//   - the current record (Browse or Edit before) deleted.
// Anything else (a record lost, changed or duplicated behind the user's back)
// is reported.

#include <optional>
#include <string>
#include <vector>

#include "data/DataSet.h"
#include "tests/random/StoredRecords.h"

class TForm1;

struct ChangeCounts {
    int storedInserts = 0;
    int storedEdits = 0;
    int deletes = 0;
};

class PostedRecords {
public:
    explicit PostedRecords(std::vector<RecordValues> initial) : model_(std::move(initial)) {}

    // Notes the record set and the pending edits before an event.
    void beforeEvent(const TForm1& form, const TDataSet& dataSet);
    // Compares the stored records after the event with the model; on
    // success the model becomes `stored`.
    std::optional<std::string> afterEvent(const std::vector<RecordValues>& stored);

    const std::vector<RecordValues>& model() const { return model_; }
    const ChangeCounts& counts() const { return counts_; }

private:
    bool mayStore(const RecordValues& record) const;

    std::vector<RecordValues> model_;
    ChangeCounts counts_;
    TDataSetState state_ = TDataSetState::dsInactive;
    int position_ = 0;  // the current record's position before the event, 1-based
    // What a post during the event may store: the record as the fields read
    // it with the pending box toggle written, and the text a shown editor
    // may write into AStr.
    RecordValues pendingRecord_;
    std::optional<std::string> editorText_;
};
