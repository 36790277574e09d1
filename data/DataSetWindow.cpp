// The record window of TDataSet: the buffers of the records kept read around
// the current one, and the cursor moves that fill them.
//
// Between operations the engine cursor stands on the current record (on a
// crack when the set is empty). While a new record is pending it stands on the
// record the new one goes before, or at the end when appending. Every routine
// here leaves it so.

#include <algorithm>
#include <cstring>
#include <utility>

#include "data/DataSet.h"

namespace {

using dsengine::kBof;
using dsengine::kEof;
using dsengine::kOk;

// The window slides by one record on every move, so these run for every
// record a scan passes; swapping neighbours along a window of a few rows
// costs less than std::rotate or a memmove call.
// Row 0 goes to row `last`, rows 1 .. last move up one.
void rotateFirstToLast(std::vector<std::uint8_t*>& rows, int last) {
    for (std::size_t i = 0; i < static_cast<std::size_t>(last); ++i) {
        std::swap(rows[i], rows[i + 1]);
    }
}

// Row `last` goes to row 0, rows 0 .. last - 1 move down one.
void rotateLastToFirst(std::vector<std::uint8_t*>& rows, int last) {
    for (std::size_t i = static_cast<std::size_t>(last); i > 0; --i) {
        std::swap(rows[i], rows[i - 1]);
    }
}

}  // namespace

void TDataSet::allocateWindow() {
    const auto rows = static_cast<std::size_t>(windowSize_) + 1;
    pool_.assign((rows + 1) * recordSize_, 0);
    rows_.resize(rows);
    order_.resize(rows);
    for (std::size_t i = 0; i < rows; ++i) {
        rows_[i] = pool_.data() + i * recordSize_;
    }
    scratch_ = pool_.data() + rows * recordSize_;
    windowCount_ = 0;
    activeRow_ = 0;
}

void TDataSet::resizeWindow(int size) {
    size = std::max(size, 1);
    if (!active()) {
        windowSize_ = size;
        return;
    }
    if (!editing()) {
        // A re-read of its own would change the set flags; a resize keeps them.
        const bool bof = bof_;
        const bool eof = eof_;
        windowSize_ = size;
        const int row = std::min(activeRow_, size - 1);
        allocateWindow();
        rereadWindow(row);
        bof_ = bof;
        eof_ = eof;
        return;
    }
    // A record is being edited or composed in the window: keep the rows around
    // it (the working copy included) without moving the cursor.
    const int keep = std::min(windowCount_, size);
    const int firstKept = activeRow_ < keep ? 0 : activeRow_ - keep + 1;
    std::vector<std::uint8_t> kept(static_cast<std::size_t>(keep) * recordSize_);
    for (int i = 0; i < keep; ++i) {
        std::memcpy(kept.data() + static_cast<std::size_t>(i) * recordSize_,
                    rows_[static_cast<std::size_t>(firstKept + i)], recordSize_);
    }
    const int active = activeRow_ - firstKept;
    windowSize_ = size;
    allocateWindow();
    for (int i = 0; i < keep; ++i) {
        std::memcpy(rows_[static_cast<std::size_t>(i)],
                    kept.data() + static_cast<std::size_t>(i) * recordSize_, recordSize_);
    }
    windowCount_ = keep;
    activeRow_ = active;
}

void TDataSet::fillFromFirst() {
    cursor_->moveToBeginning();
    int count = 0;
    while (count < windowSize_) {
        const dsengine::Status status =
            cursor_->getNextRecord(rows_[static_cast<std::size_t>(count)]);
        if (status == kEof) {
            break;
        }
        check(status);
        ++count;
    }
    windowCount_ = count;
    activeRow_ = 0;
    // Unless exactly the one record was read and the window holds one, the
    // cursor went past the first record.
    if (count > 1 || (count == 1 && windowSize_ > 1)) {
        // Back onto the first record.
        cursor_->moveToBeginning();
        check(cursor_->getNextRecord(scratch_));
    }
}

void TDataSet::fillFromLast() {
    cursor_->moveToEnd();
    // Read backwards into the free buffers, then put them in order.
    int count = 0;
    while (count < windowSize_) {
        const dsengine::Status status =
            cursor_->getPriorRecord(rows_[static_cast<std::size_t>(windowSize_ - count)]);
        if (status == kBof) {
            break;
        }
        check(status);
        ++count;
    }
    // Rows windowSize_ - count + 1 .. windowSize_ hold the records, last one
    // highest; rotate them to the front.
    std::rotate(rows_.begin(), rows_.begin() + (windowSize_ + 1 - count), rows_.end());
    windowCount_ = count;
    activeRow_ = std::max(count - 1, 0);
    if (count > 1 || (count == 1 && windowSize_ > 1)) {
        // Back onto the last record.
        cursor_->moveToEnd();
        check(cursor_->getPriorRecord(scratch_));
    }
}

void TDataSet::rereadWindow(int wantedRow) {
    std::copy(rows_.begin(), rows_.end(), order_.begin());
    std::size_t used = 0;
    std::uint8_t* current = order_[used++];

    // The cursor may stand on a crack: after a delete of the last record, or
    // when a cancelled append left it at the end.
    dsengine::Status status = cursor_->getCurrentRecord(current);
    if (status == kEof) {
        status = cursor_->getPriorRecord(current);
    } else if (status == kBof) {
        status = cursor_->getNextRecord(current);
    }
    if (status == kBof || status == kEof) {
        windowCount_ = 0;
        activeRow_ = 0;
        bof_ = true;
        eof_ = true;
        return;
    }
    check(status);

    const int before = std::clamp(wantedRow, 0, windowSize_ - 1);
    // Reads up to `limit` records in one direction into order_ from `used` on;
    // `stopped` tells whether the set ended first.
    auto readRun = [&](bool forward, int limit, bool* stopped) {
        int count = 0;
        *stopped = false;
        while (count < limit) {
            std::uint8_t* buffer = order_[used];
            const dsengine::Status result =
                forward ? cursor_->getNextRecord(buffer) : cursor_->getPriorRecord(buffer);
            if (result == (forward ? kEof : kBof)) {
                *stopped = true;
                break;
            }
            check(result);
            ++used;
            ++count;
        }
        return count;
    };
    auto walk = [&](bool forward, int steps) {
        for (; steps > 0; --steps) {
            check(forward ? cursor_->getNextRecord(scratch_) : cursor_->getPriorRecord(scratch_));
        }
    };

    // The records that follow, leaving room for the wanted rows before...
    bool atEnd = false;
    const std::size_t followingAt = used;
    int following = readRun(true, windowSize_ - 1 - before, &atEnd);
    walk(false, following + (atEnd ? 1 : 0));
    // ...the records before, filling whatever room is left...
    bool atBeginning = false;
    const std::size_t precedingAt = used;
    const int preceding = readRun(false, windowSize_ - 1 - following, &atBeginning);
    walk(true, preceding + (atBeginning ? 1 : 0));
    // ...and when those were too few, more of the following ones.
    const std::size_t moreAt = used;
    int more = 0;
    if (!atEnd && preceding + 1 + following < windowSize_) {
        walk(true, following);
        more = readRun(true, windowSize_ - 1 - following - preceding, &atEnd);
        walk(false, following + more + (atEnd ? 1 : 0));
    }

    std::size_t at = 0;
    for (int i = preceding - 1; i >= 0; --i) {
        rows_[at++] = order_[precedingAt + static_cast<std::size_t>(i)];
    }
    rows_[at++] = current;
    for (int i = 0; i < following; ++i) {
        rows_[at++] = order_[followingAt + static_cast<std::size_t>(i)];
    }
    for (int i = 0; i < more; ++i) {
        rows_[at++] = order_[moreAt + static_cast<std::size_t>(i)];
    }
    for (std::size_t i = used; i < order_.size(); ++i) {
        rows_[at++] = order_[i];
    }
    following += more;
    windowCount_ = preceding + 1 + following;
    activeRow_ = preceding;
    bof_ = false;
    eof_ = false;
}

int TDataSet::stepForward(int distance, int* shift) {
    int moved = 0;
    while (moved < distance) {
        if (activeRow_ < windowCount_ - 1) {
            // The next record is in the window already; read it fresh.
            check(cursor_->getNextRecord(rows_[static_cast<std::size_t>(activeRow_ + 1)]));
            ++activeRow_;
        } else {
            std::uint8_t* fresh = rows_[static_cast<std::size_t>(windowCount_)];
            const dsengine::Status status = cursor_->getNextRecord(fresh);
            if (status == kEof) {
                if (windowCount_ > 0) {
                    check(cursor_->getPriorRecord(scratch_));
                }
                eof_ = true;
                break;
            }
            check(status);
            if (windowCount_ < windowSize_) {
                ++windowCount_;
                activeRow_ = windowCount_ - 1;
            } else {
                // The window slides one record on; its first row becomes free.
                rotateFirstToLast(rows_, windowCount_);
                ++*shift;
            }
        }
        ++moved;
    }
    return moved;
}

int TDataSet::stepBackward(int distance, int* shift) {
    int moved = 0;
    while (moved < distance) {
        if (activeRow_ > 0) {
            check(cursor_->getPriorRecord(rows_[static_cast<std::size_t>(activeRow_ - 1)]));
            --activeRow_;
        } else {
            std::uint8_t* fresh = rows_[static_cast<std::size_t>(windowCount_)];
            const dsengine::Status status = cursor_->getPriorRecord(fresh);
            if (status == kBof) {
                if (windowCount_ > 0) {
                    check(cursor_->getNextRecord(scratch_));
                }
                bof_ = true;
                break;
            }
            check(status);
            // The fresh row goes in front; when the window was full its last
            // row falls out and becomes the free one.
            rotateLastToFirst(rows_, windowCount_);
            if (windowCount_ < windowSize_) {
                ++windowCount_;
            } else {
                --*shift;
            }
            activeRow_ = 0;
        }
        ++moved;
    }
    return moved;
}

void TDataSet::placeNewRecord(bool append) {
    if (!append) {
        // The new record takes the current record's row; the rows from there
        // on move down one, the last falling out when the window is full.
        std::uint8_t* fresh = rows_[static_cast<std::size_t>(windowCount_)];
        if (windowCount_ == 0) {
            activeRow_ = 0;
        }
        std::rotate(rows_.begin() + activeRow_, rows_.begin() + windowCount_,
                    rows_.begin() + windowCount_ + 1);
        if (windowCount_ < windowSize_) {
            ++windowCount_;
        }
        store_->initRecord(fresh);
        appending_ = false;
        return;
    }
    // Append: the window shows the last records with the new one after them.
    cursor_->moveToEnd();
    int count = 0;
    while (count < windowSize_ - 1) {
        const dsengine::Status status =
            cursor_->getPriorRecord(rows_[static_cast<std::size_t>(windowSize_ - count)]);
        if (status == kBof) {
            break;
        }
        check(status);
        ++count;
    }
    cursor_->moveToEnd();
    // Rows windowSize_ - count + 1 .. windowSize_ hold the last records in order.
    std::rotate(rows_.begin(), rows_.begin() + (windowSize_ + 1 - count), rows_.end());
    std::uint8_t* fresh = rows_[static_cast<std::size_t>(count)];
    store_->initRecord(fresh);
    windowCount_ = count + 1;
    activeRow_ = count;
    appending_ = true;
    bof_ = false;
    eof_ = true;
}
