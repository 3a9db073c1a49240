#pragma once

#include <QList>
#include <QPair>
#include <QString>

namespace report {

// An element of a template that the engine does not know, held as it was read
// so that saving the template gives it back unchanged.
struct XmlNode {
    QString name;
    QList<QPair<QString, QString>> attributes;
    QList<XmlNode> children;
    QString text;
};

// An attribute the engine does not use. A quiet one (designer settings and the
// like) does not change what is printed and is not listed as not understood.
struct KeptAttribute {
    QString name;
    QString value;
    bool quiet = false;
};

// An unknown child element and its place among its parent's child elements.
struct KeptElement {
    int position = 0;
    XmlNode node;
};

}  // namespace report
