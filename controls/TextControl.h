#pragma once
// TTextControl: the common part of the window's static texts (TLabel, TDBText).
// It paints one line of text from its top-left corner, opaque on the window's
// colour and clipped at its bounds, never takes the focus, and presents
// itself to assistive technology as static text named by the text it shows.

#include <QString>

#include "controls/Control.h"

class TTextControl : public TControl {
    Q_OBJECT
public:
    explicit TTextControl(TComponent* owner = nullptr);

    // The text as the user reads it (an accelerator mark removed).
    virtual QString shownText() const = 0;

protected:
    // The text handed to the painter and the flags it is drawn with.
    virtual QString paintedText() const { return shownText(); }
    virtual int textFlags() const { return 0; }
    // Repaints and tells assistive technology that the name changed.
    void textChanged();

    void paintEvent(QPaintEvent* event) override;
};
