#pragma once
// The navigator's ten buttons, left to right, and the text each one carries.

#include <QString>
#include <array>
#include <bitset>

enum TNavigateBtn {
    nbFirst,
    nbPrior,
    nbNext,
    nbLast,
    nbInsert,
    nbDelete,
    nbEdit,
    nbPost,
    nbCancel,
    nbRefresh,
};

inline constexpr int navigateBtnCount = 10;

inline constexpr std::array<TNavigateBtn, navigateBtnCount> allNavigateBtns{
    nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbPost, nbCancel, nbRefresh};

// A set of buttons, indexed by TNavigateBtn (the navigator's VisibleButtons).
using TNavButtonSet = std::bitset<navigateBtnCount>;

inline TNavButtonSet allNavButtons() {
    return TNavButtonSet().set();
}

// The built-in hint text of a button; also its accessible name.
QString navigatorHintText(TNavigateBtn button);

// The identifier a description uses for a button ("nbFirst" ...).
const char* navigateBtnName(TNavigateBtn button);
