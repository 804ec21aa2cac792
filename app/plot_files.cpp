#include "app/plot_files.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>

#include "platform/output_file.h"
#include "plot/sample_table.h"

namespace tracewell::app {
namespace {

QByteArray formatFor(const QString& path) {
    const QByteArray suffix = QFileInfo(path).suffix().toLower().toLatin1();
    return QImageWriter::supportedImageFormats().contains(suffix) ? suffix : QByteArray("png");
}

// A window never waits: a pipe that nothing reads from is a failure to tell.
constexpr bool kWaitForReader = false;

}  // namespace

QString savePicture(const QImage& picture, const QString& path) {
    // Encoded whole first, so that a picture the writer refuses leaves no file at all.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, formatFor(path));
    if (!writer.write(picture)) return writer.errorString();
    return platform::writeFile(QFile::encodeName(path),
                               {bytes.constData(), static_cast<std::size_t>(bytes.size())},
                               kWaitForReader);
}

QString saveSamples(plot::Plotter& plotter, const QString& path) {
    platform::OutputFile file(QFile::encodeName(path), kWaitForReader);
    if (!file.open()) return file.error();
    plot::SampleTable table([&](std::string_view piece) { return file.write(piece); });
    const bool listed = plotter.listSamples(
        [&](std::span<const float> xs, std::span<const float> ys,
            std::span<const eval::Failure> failures) { return table.add(xs, ys, failures); });
    if (!table.finish()) return file.error();
    // Not committed, the file's temporary goes with it.
    if (!listed) return QStringLiteral("the samples could not be computed again");
    return file.commit() ? QString() : file.error();
}

}  // namespace tracewell::app
