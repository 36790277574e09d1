#pragma once
// TForm1: the program's one window. Its components, their settings and the
// window's own settings come from the stored description "TForm1"; the class
// adds one field per component and the handler that gives every new record
// AInt = 1.

#include <QWidget>
#include <memory>
#include <string_view>

#include "component/Component.h"
#include "component/ComponentRegistry.h"
#include "controls/Control.h"

class ClientArea;
class QScrollArea;
class TBooleanField;
class TClientDataSet;
class TDataSet;
class TDataSource;
class TDBCheckBox;
class TDBGrid;
class TDBNavigator;
class TDBText;
class TIntegerField;
class TLabel;
class TStringField;

class TForm1 : public QWidget, public TComponent, public TControlHost {
    Q_OBJECT
public:
    // A blank window: 320 x 240 at 0, 0, hidden, sizeable.
    explicit TForm1(QWidget* parent = nullptr);
    // Frees the components first, then the window.
    ~TForm1() override;
    const char* className() const override { return "TForm1"; }

    // The components, in declaration order.
    TClientDataSet* ClientDataSet1 = nullptr;
    TDataSource* DataSource1 = nullptr;
    TDBNavigator* DBNavigator1 = nullptr;
    TDBGrid* DBGrid1 = nullptr;
    TIntegerField* ClientDataSet1AInt = nullptr;
    TStringField* ClientDataSet1AStr = nullptr;
    TBooleanField* ClientDataSet1ABoolean = nullptr;
    TDBText* DBText1 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TDBText* DBText2 = nullptr;
    TStringField* ClientDataSet1StrShowCheck = nullptr;
    TLabel* Label4 = nullptr;
    TDBText* DBText3 = nullptr;
    TDBCheckBox* DBCheckBox1 = nullptr;
    TDBCheckBox* DBCheckBox2 = nullptr;
    TDBCheckBox* DBCheckBox3 = nullptr;

    // The record set's AfterInsert: its field at position 0 becomes 1.
    void ClientDataSet1AfterInsert(TDataSet& DataSet);

    // Reads a description onto this blank window: settings, components, the
    // after-load pass (the record set opens there), then the tab order and
    // the focus on the first tab stop.
    void load(std::string_view descriptionText, const ComponentRegistry& classes);

    // Left, Top, Width, Height (outer, frame included), Caption, Color,
    // Font.*, OldCreateOrder, PixelsPerInch and TextHeight.
    void readSetting(std::string_view name, const PropertyValue& value) override;
    void bindField(std::string_view name, TComponent* component) override;
    TNotifyHandler findMethod(std::string_view name) override;
    void componentFreed(TComponent* component) override;
    // Scales to the screen's resolution, then the usual after-load step.
    void loaded() override;

    QWidget* clientArea() override;
    QScrollArea* scrollArea() const { return scrollArea_; }

    // The stored outer bounds of the window.
    QRect storedBounds() const { return storedBounds_; }
    int pixelsPerInch() const { return pixelsPerInch_; }
    int textHeight() const { return textHeight_; }

    // When the screen's resolution differs from the stored one: the font's
    // height follows the resolution, then the controls' bounds follow the
    // height of "0" in that font against the stored TextHeight.
    void scaleToScreen(int screenPixelsPerInch);

    // The controls that Tab visits, in tab order.
    std::vector<TControl*> tabStops() const;

protected:
    bool event(QEvent* event) override;

private:
    void applyColor(const PropertyValue& value);
    void arrangeTabOrder();
    void fitOuterSizeToFrame();

    QScrollArea* scrollArea_ = nullptr;
    ClientArea* clientArea_ = nullptr;
    QRect storedBounds_{0, 0, 320, 240};
    int pixelsPerInch_ = 96;
    int textHeight_ = 13;
    bool oldCreateOrder_ = false;
    bool frameFitted_ = false;
};

// The window built from the description stored in the program.
std::unique_ptr<TForm1> createForm1();
// The window built from a given description text and class set.
std::unique_ptr<TForm1> createForm1(std::string_view descriptionText,
                                    const ComponentRegistry& classes);
