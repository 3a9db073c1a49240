#pragma once

#include "ReportView.h"

#include <QByteArray>
#include <QImage>

namespace report {

// A picture stored in the template (Picture.PropData: a small header naming
// the image class, then the BMP, JPEG or PNG bytes), or read from a field.
class PictureView : public ReportView {
    Q_OBJECT
    Q_PROPERTY(QByteArray pictureData MEMBER pictureData_ NOTIFY changed)
    Q_PROPERTY(bool stretched MEMBER stretched_ NOTIFY changed)
    Q_PROPERTY(bool center MEMBER center_ NOTIFY changed)
    Q_PROPERTY(bool keepAspectRatio MEMBER keepAspectRatio_ NOTIFY changed)
    Q_CLASSINFO("element", "TfrxPictureView")
    Q_CLASSINFO("file:Picture.PropData", "pictureData")
    Q_CLASSINFO("file:Stretched", "stretched")
    Q_CLASSINFO("file:Center", "center")
    Q_CLASSINFO("file:KeepAspectRatio", "keepAspectRatio")
    Q_CLASSINFO("quiet", "HightQuality Transparent TransparentColor")

public:
    explicit PictureView(QObject* parent = nullptr);

    QByteArray pictureData() const { return pictureData_; }
    void setPictureData(const QByteArray& data);
    bool isStretched() const { return stretched_; }
    bool isCentered() const { return center_; }
    bool keepsAspectRatio() const { return keepAspectRatio_; }

    // The stored picture, decoded once; a null image when there is none.
    QImage image() const;
    // Image bytes with or without the class-name header in front of them.
    static QImage decodeImage(const QByteArray& data);

private:
    QByteArray pictureData_;
    bool stretched_ = true;
    bool center_ = false;
    bool keepAspectRatio_ = true;
    mutable QImage image_;
    mutable QByteArray imageSource_;
};

}  // namespace report
