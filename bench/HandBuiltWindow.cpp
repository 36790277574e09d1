#include "bench/HandBuiltWindow.h"

#include <QFont>
#include <QPalette>

#include "controls/DBCheckBox.h"
#include "controls/DBGrid.h"
#include "controls/DBNavigator.h"
#include "controls/DBText.h"
#include "controls/Label.h"
#include "data/DataSet.h"
#include "data/DataSource.h"
#include "data/Field.h"
#include "form/ClientArea.h"
#include "tests/support/StoredPacket.h"

namespace {

// A control of the window: owned by it, named, placed on its client area.
// Every component is built as the components expect: loading until all are
// made, so that work that depends on several settings runs once, at the end.
template <class Control>
Control* place(TForm1& form, const char* name, int left, int top, int width, int height) {
    auto* control = new Control(&form);
    control->setName(name);
    control->beginLoading();
    control->setParentComponent(&form);
    control->setGeometry(left, top, width, height);
    return control;
}

TDBText* dbText(TForm1& form, const char* name, int left, const char* field, TDataSource* source) {
    auto* text = place<TDBText>(form, name, left, 104, 65, 17);
    text->setDataField(field);
    text->setDataSource(source);
    return text;
}

TLabel* label(TForm1& form, const char* name, int left, int top, int width, const QString& text) {
    auto* caption = place<TLabel>(form, name, left, top, width, 13);
    caption->setCaption(text);
    return caption;
}

TDBCheckBox* checkBox(TForm1& form, const char* name, int left, int top, const char* field,
                      int tabOrder, const char* checked, const char* unchecked,
                      TDataSource* source) {
    auto* box = place<TDBCheckBox>(form, name, left, top, 97, 17);
    box->setCaption(QString::fromUtf8(field));
    box->setDataField(field);
    box->setDataSource(source);
    box->setTabOrder(tabOrder);
    box->setValueChecked(checked);
    box->setValueUnchecked(unchecked);
    return box;
}

template <class Field>
Field* field(TForm1& form, const char* name, const char* fieldName, TDataSet* dataSet) {
    auto* made = new Field(&form);
    made->setName(name);
    made->beginLoading();
    made->setFieldName(fieldName);
    made->setDataSet(dataSet);
    return made;
}

void gridColumn(TDBGrid& grid, const char* fieldName, std::optional<int> width,
                std::vector<std::string> keyList) {
    TDBGridColumn& column = grid.addColumn();
    column.setFieldName(fieldName);
    if (width) {
        column.setWidth(*width);
    }
    if (!keyList.empty()) {
        column.setCheckboxes(true);
        column.setKeyList(std::move(keyList));
    }
}

}  // namespace

std::unique_ptr<TForm1> buildForm1ByHand() {
    auto window = std::make_unique<TForm1>();
    TForm1& form = *window;
    form.setName("Form1");
    form.beginLoading();
    // The outer bounds (frame included) are the window's own settings: it
    // fits its client area to them once the frame is known.
    for (const auto& [name, value] : {std::pair{"Left", 201}, std::pair{"Top", 206},
                                      std::pair{"Width", 574}, std::pair{"Height", 438}}) {
        PropertyValue number;
        number.integer = value;
        form.readSetting(name, number);
    }
    form.setWindowTitle(QStringLiteral("Form1"));
    QPalette palette = form.palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    form.setPalette(palette);
    QFont font = form.font();
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(11);
    form.setFont(font);

    // The record set first, so that the controls can name their source.
    auto* dataSet = new TClientDataSet(&form);
    dataSet->setName("ClientDataSet1");
    dataSet->beginLoading();
    dataSet->AfterInsert = [&form](TDataSet& set) { form.ClientDataSet1AfterInsert(set); };
    dataSet->setData(storedPacket());
    form.ClientDataSet1 = dataSet;
    form.ClientDataSet1AInt = field<TIntegerField>(form, "ClientDataSet1AInt", "AInt", dataSet);
    form.ClientDataSet1AStr = field<TStringField>(form, "ClientDataSet1AStr", "AStr", dataSet);
    form.ClientDataSet1AStr->setSize(12);
    form.ClientDataSet1ABoolean =
        field<TBooleanField>(form, "ClientDataSet1ABoolean", "ABoolean", dataSet);
    form.ClientDataSet1StrShowCheck =
        field<TStringField>(form, "ClientDataSet1StrShowCheck", "StrShowCheck", dataSet);
    form.ClientDataSet1StrShowCheck->setSize(2);
    auto* source = new TDataSource(&form);
    source->setName("DataSource1");
    source->beginLoading();
    source->setDataSet(dataSet);
    form.DataSource1 = source;

    form.DBText1 = dbText(form, "DBText1", 112, "AInt", source);
    form.Label1 = label(form, "Label1", 80, 40, 333,
                        QStringLiteral("本程序演示用 DBGrid 来显示非Boolean类型的字段为CheckBox"));
    form.Label2 = label(form, "Label2", 72, 108, 25, QStringLiteral("AInt="));
    form.Label3 = label(form, "Label3", 248, 108, 26, QStringLiteral("AStr="));
    form.DBText2 = dbText(form, "DBText2", 288, "AStr", source);
    form.Label4 = label(form, "Label4", 384, 108, 77, QStringLiteral("StrShowCheck="));
    form.DBText3 = dbText(form, "DBText3", 472, "StrShowCheck", source);

    auto* navigator = place<TDBNavigator>(form, "DBNavigator1", 136, 360, 240, 25);
    navigator->setDataSource(source);
    navigator->setTabOrder(0);
    form.DBNavigator1 = navigator;

    auto* grid = place<TDBGrid>(form, "DBGrid1", 64, 152, 433, 193);
    grid->setDataSource(source);
    grid->setTabOrder(1);
    // OptionsEx has no setter of its own; the setting is the grid's interface for it.
    PropertyValue optionsEx;
    optionsEx.kind = PropertyValue::Kind::Set;
    optionsEx.items = {"dgxFixed3D", "dgxHighlightFocus", "dgxClearSelection"};
    grid->readSetting("OptionsEx", optionsEx);
    gridColumn(*grid, "AInt", std::nullopt, {"1", "0"});
    gridColumn(*grid, "AStr", std::nullopt, {});
    gridColumn(*grid, "ABoolean", 63, {});
    gridColumn(*grid, "StrShowCheck", 65, {"aa", "bb"});
    form.DBGrid1 = grid;

    form.DBCheckBox1 =
        checkBox(form, "DBCheckBox1", 384, 72, "StrShowCheck", 2, "aa", "bb", source);
    form.DBCheckBox2 = checkBox(form, "DBCheckBox2", 72, 80, "AInt", 3, "1", "0", source);
    form.DBCheckBox3 =
        checkBox(form, "DBCheckBox3", 224, 72, "ABoolean", 4, "True", "False", source);

    // Loading ends: the window first (it scales to the screen), then every
    // component; then the record set opens.
    form.loaded();
    for (TComponent* component : form.components()) {
        component->loaded();
    }
    dataSet->open();
    static_cast<ClientArea*>(form.clientArea())->updateExtent();
    const std::vector<TControl*> stops = form.tabStops();
    for (std::size_t i = 1; i < stops.size(); ++i) {
        QWidget::setTabOrder(stops[i - 1], stops[i]);
    }
    if (!stops.empty()) {
        stops.front()->setFocus(Qt::OtherFocusReason);
    }
    return window;
}
