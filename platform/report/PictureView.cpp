#include "PictureView.h"

namespace report {

PictureView::PictureView(QObject* parent) : ReportView(parent) {}

void PictureView::setPictureData(const QByteArray& data)
{
    pictureData_ = data;
    emit changed();
}

QImage PictureView::image() const
{
    if (imageSource_ != pictureData_ || (image_.isNull() && !pictureData_.isEmpty())) {
        imageSource_ = pictureData_;
        image_ = decodeImage(pictureData_);
    }
    return image_;
}

QImage PictureView::decodeImage(const QByteArray& data)
{
    if (data.isEmpty())
        return {};
    // The header is a length byte and a class name ("TPngImage"), and for some
    // classes a size; the image itself starts at its own signature.
    static const QByteArray signatures[] = {QByteArray("\x89PNG", 4), QByteArray("\xFF\xD8\xFF", 3),
                                            QByteArray("BM", 2), QByteArray("GIF8", 4)};
    const int searchEnd = int(std::min<qsizetype>(data.size(), 300));
    int best = -1;
    for (const QByteArray& signature : signatures) {
        const int at = int(data.left(searchEnd).indexOf(signature));
        if (at >= 0 && (best < 0 || at < best))
            best = at;
    }
    QImage image;
    if (best >= 0)
        image.loadFromData(data.mid(best));
    return image;
}

}  // namespace report
