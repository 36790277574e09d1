#pragma once
// TLabel: a caption on the window. With AutoSize on (the default) it takes the
// width and height of its caption's text in its font, keeping its left and
// top, whenever the caption or the font changes and once loading is done.
// An "&" marks the next character as an accelerator; "&&" shows one "&".

#include <string>

#include "controls/TextControl.h"

class TLabel : public TTextControl {
    Q_OBJECT
public:
    explicit TLabel(TComponent* owner = nullptr);
    const char* className() const override { return "TLabel"; }

    // Caption (UTF-8), AutoSize, ShowAccelChar, plus the control's own settings.
    void readSetting(std::string_view name, const PropertyValue& value) override;
    void loaded() override;

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool autoSize);
    bool showAccelChar() const { return showAccelChar_; }
    void setShowAccelChar(bool show);

    QString shownText() const override;

protected:
    QString paintedText() const override { return caption_; }
    int textFlags() const override;
    void changeEvent(QEvent* event) override;

private:
    void adjustBounds();

    QString caption_;
    bool autoSize_ = true;
    bool showAccelChar_ = true;
};
