#pragma once
// A main window with handles on its controls, and ways to see what it drew.

#include <QImage>
#include <QLabel>
#include <QLineEdit>

#include "app/fgraph.h"
#include "platform/click_label.h"
#include "platform/picture_box.h"
#include "platform/scroll_bar.h"
#include "support/ink.h"

namespace tracewell::app::testing {

using plot::kInk;
using tracewell::testing::inkedPixels;

struct Window {
    Fgraph w;

    template <class T>
    T* find(const char* name) {
        return w.findChild<T*>(name);
    }
    platform::PictureBox* pic() { return find<platform::PictureBox>("Pic"); }
    QLineEdit* t() { return find<QLineEdit>("T"); }
    platform::ScrollBar* bar(const char* name) { return find<platform::ScrollBar>(name); }
    platform::ClickLabel* label(const char* name) { return find<platform::ClickLabel>(name); }
    QString caption(const char* name) { return find<QLabel>(name)->text(); }
    const QImage& picture() { return pic()->surface().image(); }
    int ink() { return inkedPixels(picture()); }
};

}  // namespace tracewell::app::testing
