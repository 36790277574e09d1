// One registration line per class the window's description names.

#include "form/ComponentClasses.h"

#include "controls/DBCheckBox.h"
#include "controls/DBGrid.h"
#include "controls/DBNavigator.h"
#include "controls/DBText.h"
#include "controls/Label.h"
#include "data/DataSet.h"
#include "data/DataSource.h"
#include "data/Field.h"
#include "form/PlaceholderControl.h"

namespace {

// A control whose class is not built yet: keeps its settings, draws a frame.
[[maybe_unused]] ComponentRegistry::Factory placeholder(const char* className, bool tabStop) {
    return [className, tabStop](TComponent* owner) -> TComponent* {
        return new TPlaceholderControl(owner, className, tabStop);
    };
}

}  // namespace

ComponentRegistry windowComponentClasses() {
    ComponentRegistry classes;
    classes.add<TClientDataSet>("TClientDataSet");
    classes.add<TDataSource>("TDataSource");
    classes.add<TIntegerField>("TIntegerField");
    classes.add<TStringField>("TStringField");
    classes.add<TBooleanField>("TBooleanField");
    classes.add<TLabel>("TLabel");
    classes.add<TDBText>("TDBText");
    classes.add<TDBGrid>("TDBGrid");
    classes.add<TDBCheckBox>("TDBCheckBox");
    classes.add<TDBNavigator>("TDBNavigator");
    return classes;
}
