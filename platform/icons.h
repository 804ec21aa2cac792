#pragma once
// The program's pictures, drawn in code so that nothing has to be loaded from files.

#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace tracewell::platform {

// The information sign, a blue letter i in a white speech bubble, 24x24 device-independent
// pixels on a transparent background. devicePixelRatio above 1 gives a sharper pixmap of the
// same logical size for high-density screens.
QPixmap informationPicture(qreal devicePixelRatio = 1.0);

// The window icon: a red sphere, a yellow cube and a blue cone standing on a blue grid. Each
// size is drawn on its own: 16, 32 and 48 pixels, and 64 and 96 for high-density screens.
QIcon applicationIcon();

// The window icon drawn at one size (1 to 1024 pixels), for the desktop's icon theme.
QImage applicationIconImage(int pixels);

}  // namespace tracewell::platform
