#include "app/plot_files.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

#include "plot/sample_table.h"

namespace tracewell::app {
namespace {

QByteArray formatFor(const QString& path) {
    const QByteArray suffix = QFileInfo(path).suffix().toLower().toLatin1();
    return QImageWriter::supportedImageFormats().contains(suffix) ? suffix : QByteArray("png");
}

// Commits the file, or says why not; an uncommitted file's temporary is removed with it.
QString finish(QSaveFile& file, bool written, const QString& why) {
    if (!written) return why.isEmpty() ? file.errorString() : why;
    return file.commit() ? QString() : file.errorString();
}

}  // namespace

QString savePicture(const QImage& picture, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    QImageWriter writer(&file, formatFor(path));
    const bool written = writer.write(picture);
    return finish(file, written, written ? QString() : writer.errorString());
}

QString saveSamples(plot::Plotter& plotter, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    plot::SampleTable table([&](std::string_view piece) {
        return file.write(piece.data(), static_cast<qint64>(piece.size())) ==
               static_cast<qint64>(piece.size());
    });
    const bool listed = plotter.listSamples(
        [&](std::span<const float> xs, std::span<const float> ys,
            std::span<const eval::Failure> failures) { return table.add(xs, ys, failures); });
    const bool written = table.finish();
    // Not committed, the temporary file goes with the QSaveFile.
    if (written && !listed) return QStringLiteral("the samples could not be computed again");
    return finish(file, written, QString());
}

}  // namespace tracewell::app
