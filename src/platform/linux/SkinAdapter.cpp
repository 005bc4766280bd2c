#include "SkinAdapter.h"

#include "MainWindow.h"

#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QImageReader>
#include <QPalette>
#include <QPixmap>

#include <initializer_list>
#include <stdexcept>

namespace cursovia::qtx11 {
namespace {

void paint(QPalette& palette, const std::optional<std::uint32_t>& rgb, std::initializer_list<QPalette::ColorRole> roles) {
    if (!rgb) return;
    for (const QPalette::ColorRole role : roles) palette.setColor(role, QColor::fromRgb(*rgb));
}

// The hot spot of a Windows cursor file: the first image's entry of the
// directory holds it where an icon file keeps its planes and bit count.
// An icon file has none; Qt then takes the picture's centre.
QPoint hotSpot(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {-1, -1};
    const QByteArray head = file.read(14);
    auto word = [&](int at) {
        return static_cast<int>(static_cast<unsigned char>(head[at]) | static_cast<unsigned char>(head[at + 1]) << 8);
    };
    constexpr int CursorType = 2;
    if (head.size() < 14 || word(2) != CursorType) return {-1, -1};
    return {word(10), word(12)};
}

} // namespace

void QtSkin::apply(const SkinColours& colours) {
    QPalette skinned = QApplication::palette();
    paint(skinned, colours.window, {QPalette::Window});
    paint(skinned, colours.text, {QPalette::WindowText});
    paint(skinned, colours.button, {QPalette::Button});
    paint(skinned, colours.buttonText, {QPalette::ButtonText});
    paint(skinned, colours.field, {QPalette::Base});
    paint(skinned, colours.fieldText, {QPalette::Text});
    paint(skinned, colours.highlight, {QPalette::Highlight});
    QApplication::setPalette(skinned);
    window_.setSkinPalette(skinned);
}

void QtSkin::loadPointer(const std::string& path) {
    const QString file = QString::fromStdString(path);
    QImageReader reader(file);
    const QImage picture = reader.read();
    if (picture.isNull())
        throw std::runtime_error("The pointer file " + path + " cannot be read: " + reader.errorString().toStdString());
    const QPoint spot = hotSpot(file);
    window_.setCustomPointer(QCursor(QPixmap::fromImage(picture), spot.x(), spot.y()));
}

} // namespace cursovia::qtx11
