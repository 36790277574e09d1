#include "controls/Label.h"

#include <QEvent>
#include <QFontMetrics>

TLabel::TLabel(TComponent* owner) : TTextControl(owner) {}

void TLabel::readSetting(std::string_view name, const PropertyValue& value) {
    if (name == "Caption") {
        setCaption(QString::fromStdString(value.text));
    } else if (name == "AutoSize") {
        setAutoSize(value.asBool());
    } else if (name == "ShowAccelChar") {
        setShowAccelChar(value.asBool());
    } else {
        TTextControl::readSetting(name, value);
    }
}

void TLabel::loaded() {
    TTextControl::loaded();
    adjustBounds();
}

void TLabel::setCaption(const QString& caption) {
    if (caption == caption_) {
        return;
    }
    caption_ = caption;
    adjustBounds();
    textChanged();
}

void TLabel::setAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    adjustBounds();
}

void TLabel::setShowAccelChar(bool show) {
    showAccelChar_ = show;
    adjustBounds();
    textChanged();
}

QString TLabel::shownText() const {
    if (!showAccelChar_) {
        return caption_;
    }
    // Drop each accelerator mark; "&&" stands for one "&".
    QString shown;
    shown.reserve(caption_.size());
    for (qsizetype i = 0; i < caption_.size(); ++i) {
        if (caption_[i] == u'&' && i + 1 < caption_.size()) {
            ++i;
        }
        shown += caption_[i];
    }
    return shown;
}

int TLabel::textFlags() const {
    return showAccelChar_ ? Qt::TextShowMnemonic : 0;
}

void TLabel::changeEvent(QEvent* event) {
    TTextControl::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        adjustBounds();
    }
}

void TLabel::adjustBounds() {
    // While loading, the stored bounds stand until the whole window is read.
    if (!autoSize_ || isLoading()) {
        return;
    }
    const int flags = Qt::TextSingleLine | textFlags();
    QSize size = QFontMetrics(font()).size(flags, caption_);
    resize(size);
}
