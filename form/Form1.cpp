#include "form/Form1.h"

#include <QEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

#include "component/DescriptionParser.h"
#include "component/DescriptionReader.h"
#include "component/Exceptions.h"
#include "controls/DBCheckBox.h"
#include "controls/DBGrid.h"
#include "controls/DBNavigator.h"
#include "controls/DBText.h"
#include "controls/FocusNavigation.h"
#include "controls/FontSetting.h"
#include "controls/Label.h"
#include "data/DataSet.h"
#include "data/DataSource.h"
#include "data/Field.h"
#include "data/Variant.h"
#include "form/ClientArea.h"
#include "form/ComponentClasses.h"
#include "form/StoredDescription.h"

namespace {

// Binds a field of the window to the component of the same name.
template <class T>
void bindAs(T*& field, TComponent* component) {
    field = dynamic_cast<T*>(component);
    if (!field) {
        throw EReadError("the window's field " + component->name() + " cannot hold a " +
                         component->className());
    }
}

template <class T>
void forget(T*& field, TComponent* component) {
    if (field && static_cast<TComponent*>(field) == component) {
        field = nullptr;
    }
}

// a * b / c, rounded to the nearest whole number.
int mulDiv(int a, int b, int c) {
    long long product = static_cast<long long>(a) * b;
    return static_cast<int>(product >= 0 ? (product + c / 2) / c : (product - c / 2) / c);
}

}  // namespace

TForm1::TForm1(QWidget* parent) : QWidget(parent) {
    setGeometry(storedBounds_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    scrollArea_ = new QScrollArea(this);
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setFocusPolicy(Qt::NoFocus);
    scrollArea_->setWidgetResizable(true);
    scrollArea_->setBackgroundRole(QPalette::Window);
    clientArea_ = new ClientArea;
    new ArrowKeyNavigation(clientArea_);  // arrow keys move the focus in tab order
    scrollArea_->setWidget(clientArea_);
    layout->addWidget(scrollArea_);
}

TForm1::~TForm1() {
    destroyComponents();
}

QWidget* TForm1::clientArea() {
    return clientArea_;
}

void TForm1::ClientDataSet1AfterInsert(TDataSet& DataSet) {
    DataSet.fields().at(0)->setValue(Variant(std::uint8_t{1}));
}

void TForm1::load(std::string_view descriptionText, const ComponentRegistry& classes) {
    readDescription(*this, parseDescription(descriptionText), classes);
    clientArea_->updateExtent();
    arrangeTabOrder();
}

void TForm1::readSetting(std::string_view name, const PropertyValue& value) {
    const int number = static_cast<int>(value.integer);
    if (name == "Left") {
        storedBounds_.moveLeft(number);
        move(storedBounds_.topLeft());
    } else if (name == "Top") {
        storedBounds_.moveTop(number);
        move(storedBounds_.topLeft());
    } else if (name == "Width") {
        storedBounds_.setWidth(number);
        resize(storedBounds_.size());
    } else if (name == "Height") {
        storedBounds_.setHeight(number);
        resize(storedBounds_.size());
    } else if (name == "Caption") {
        setWindowTitle(QString::fromStdString(value.text));
    } else if (name == "Color") {
        applyColor(value);
    } else if (name.starts_with("Font.")) {
        QFont windowFont = font();
        applyFontSetting(windowFont, name.substr(5), value);
        setFont(windowFont);
    } else if (name == "OldCreateOrder") {
        oldCreateOrder_ = value.asBool();
    } else if (name == "PixelsPerInch") {
        pixelsPerInch_ = number;
    } else if (name == "TextHeight") {
        textHeight_ = number;
    } else {
        TComponent::readSetting(name, value);
    }
}

void TForm1::applyColor(const PropertyValue& value) {
    QPalette windowPalette = palette();
    if (value.text == "clBtnFace") {
        windowPalette.setColor(QPalette::Window, windowPalette.color(QPalette::Button));
    } else if (value.text == "clWindow") {
        windowPalette.setColor(QPalette::Window, windowPalette.color(QPalette::Base));
    } else {
        throw EReadError("Line " + std::to_string(value.line) + ": unknown colour " + value.text);
    }
    setPalette(windowPalette);
}

void TForm1::bindField(std::string_view name, TComponent* component) {
    if (name == "ClientDataSet1") {
        bindAs(ClientDataSet1, component);
    } else if (name == "DataSource1") {
        bindAs(DataSource1, component);
    } else if (name == "DBNavigator1") {
        bindAs(DBNavigator1, component);
    } else if (name == "DBGrid1") {
        bindAs(DBGrid1, component);
    } else if (name == "ClientDataSet1AInt") {
        bindAs(ClientDataSet1AInt, component);
    } else if (name == "ClientDataSet1AStr") {
        bindAs(ClientDataSet1AStr, component);
    } else if (name == "ClientDataSet1ABoolean") {
        bindAs(ClientDataSet1ABoolean, component);
    } else if (name == "DBText1") {
        bindAs(DBText1, component);
    } else if (name == "Label1") {
        bindAs(Label1, component);
    } else if (name == "Label2") {
        bindAs(Label2, component);
    } else if (name == "Label3") {
        bindAs(Label3, component);
    } else if (name == "DBText2") {
        bindAs(DBText2, component);
    } else if (name == "ClientDataSet1StrShowCheck") {
        bindAs(ClientDataSet1StrShowCheck, component);
    } else if (name == "Label4") {
        bindAs(Label4, component);
    } else if (name == "DBText3") {
        bindAs(DBText3, component);
    } else if (name == "DBCheckBox1") {
        bindAs(DBCheckBox1, component);
    } else if (name == "DBCheckBox2") {
        bindAs(DBCheckBox2, component);
    } else if (name == "DBCheckBox3") {
        bindAs(DBCheckBox3, component);
    } else {
        return;  // a component without a field of its own
    }
    freeNotification(component);
}

void TForm1::componentFreed(TComponent* component) {
    forget(ClientDataSet1, component);
    forget(DataSource1, component);
    forget(DBNavigator1, component);
    forget(DBGrid1, component);
    forget(ClientDataSet1AInt, component);
    forget(ClientDataSet1AStr, component);
    forget(ClientDataSet1ABoolean, component);
    forget(DBText1, component);
    forget(Label1, component);
    forget(Label2, component);
    forget(Label3, component);
    forget(DBText2, component);
    forget(ClientDataSet1StrShowCheck, component);
    forget(Label4, component);
    forget(DBText3, component);
    forget(DBCheckBox1, component);
    forget(DBCheckBox2, component);
    forget(DBCheckBox3, component);
    TComponent::componentFreed(component);
}

TNotifyHandler TForm1::findMethod(std::string_view name) {
    if (name == "ClientDataSet1AfterInsert") {
        return [this](TComponent* sender) {
            ClientDataSet1AfterInsert(dynamic_cast<TDataSet&>(*sender));
        };
    }
    return TComponent::findMethod(name);
}

void TForm1::loaded() {
    TComponent::loaded();
    scaleToScreen(logicalDpiY());
}

void TForm1::scaleToScreen(int screenPixelsPerInch) {
    if (screenPixelsPerInch == pixelsPerInch_ || pixelsPerInch_ <= 0) {
        return;
    }
    QFont windowFont = font();
    const int height =
        windowFont.pixelSize() > 0 ? windowFont.pixelSize() : QFontInfo(windowFont).pixelSize();
    windowFont.setPixelSize(std::max(1, mulDiv(height, screenPixelsPerInch, pixelsPerInch_)));
    setFont(windowFont);
    const int measured = QFontMetrics(windowFont).height();
    if (measured == textHeight_ || textHeight_ <= 0) {
        return;
    }
    for (TComponent* component : components()) {
        if (auto* control = dynamic_cast<TControl*>(component)) {
            const QRect bounds = control->geometry();
            control->setGeometry(mulDiv(bounds.x(), measured, textHeight_),
                                 mulDiv(bounds.y(), measured, textHeight_),
                                 mulDiv(bounds.width(), measured, textHeight_),
                                 mulDiv(bounds.height(), measured, textHeight_));
        }
    }
}

std::vector<TControl*> TForm1::tabStops() const {
    std::vector<TControl*> stops;
    for (TComponent* component : components()) {
        auto* control = dynamic_cast<TControl*>(component);
        if (control && control->tabStop()) {
            stops.push_back(control);
        }
    }
    std::stable_sort(stops.begin(), stops.end(),
                     [](TControl* a, TControl* b) { return a->tabOrder() < b->tabOrder(); });
    return stops;
}

void TForm1::arrangeTabOrder() {
    const std::vector<TControl*> stops = tabStops();
    for (std::size_t i = 1; i < stops.size(); ++i) {
        QWidget::setTabOrder(stops[i - 1], stops[i]);
    }
    // The first tab stop holds the focus once the window is activated.
    if (!stops.empty()) {
        stops.front()->setFocus(Qt::OtherFocusReason);
    }
}

bool TForm1::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    switch (event->type()) {
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowActivate:
            fitOuterSizeToFrame();
            break;
        default:
            break;
    }
    return handled;
}

void TForm1::fitOuterSizeToFrame() {
    // The stored size includes frame and title bar, which only the window
    // manager knows; once it has framed the window, the client area shrinks
    // by the frame so that the outer size is the stored one. Without a window
    // manager the frame is empty and the client area keeps the whole size.
    if (frameFitted_ || !isVisible() || isMaximized() || isMinimized()) {
        return;
    }
    const QSize frame = frameGeometry().size() - geometry().size();
    if (frame.width() <= 0 && frame.height() <= 0) {
        return;
    }
    frameFitted_ = true;
    resize(storedBounds_.width() - frame.width(), storedBounds_.height() - frame.height());
}

std::unique_ptr<TForm1> createForm1(std::string_view descriptionText,
                                    const ComponentRegistry& classes) {
    auto form = std::make_unique<TForm1>();
    form->load(descriptionText, classes);
    return form;
}

std::unique_ptr<TForm1> createForm1() {
    auto form = std::make_unique<TForm1>();
    form->load(storedDescription(form->className()), windowComponentClasses());
    return form;
}
