#include "controls/NavigatorButtonKinds.h"

QString navigatorHintText(TNavigateBtn button) {
    switch (button) {
        case nbFirst:
            return QStringLiteral("First record");
        case nbPrior:
            return QStringLiteral("Prior record");
        case nbNext:
            return QStringLiteral("Next record");
        case nbLast:
            return QStringLiteral("Last record");
        case nbInsert:
            return QStringLiteral("Insert record");
        case nbDelete:
            return QStringLiteral("Delete record");
        case nbEdit:
            return QStringLiteral("Edit record");
        case nbPost:
            return QStringLiteral("Post edit");
        case nbCancel:
            return QStringLiteral("Cancel edit");
        case nbRefresh:
            return QStringLiteral("Refresh data");
    }
    return {};
}

const char* navigateBtnName(TNavigateBtn button) {
    switch (button) {
        case nbFirst:
            return "nbFirst";
        case nbPrior:
            return "nbPrior";
        case nbNext:
            return "nbNext";
        case nbLast:
            return "nbLast";
        case nbInsert:
            return "nbInsert";
        case nbDelete:
            return "nbDelete";
        case nbEdit:
            return "nbEdit";
        case nbPost:
            return "nbPost";
        case nbCancel:
            return "nbCancel";
        case nbRefresh:
            return "nbRefresh";
    }
    return "";
}
