#pragma once
// The navigator's button pictures, drawn in code: each button has one picture
// for its enabled look (the shape in black) and one for its disabled look (the
// same shape engraved, grey over a white copy shifted one pixel right and
// down). The background is transparent.

#include <QImage>
#include <QPainterPath>
#include <QSize>

#include "controls/NavigatorButtonKinds.h"

// 14 x 13 pixels; 10 x 13 for the prior and next triangles.
QSize navigatorPictureSize(TNavigateBtn button);

// The shape of a button's picture, in picture pixels (0,0 is the top left).
QPainterPath navigatorPictureShape(TNavigateBtn button);

// The rendered picture, of navigatorPictureSize(), without scaling.
QImage navigatorPicture(TNavigateBtn button, bool enabled);
