#pragma once

#include "ReportItem.h"

namespace report {

class ReportPage;

// The whole template: its report pages, the dataset aliases and variables it
// declares, and the root settings of the file.
class ReportTemplate : public ReportItem {
    Q_OBJECT
    Q_PROPERTY(QString version MEMBER version_ NOTIFY changed)
    Q_PROPERTY(QString scriptLanguage MEMBER scriptLanguage_ NOTIFY changed)
    Q_PROPERTY(QString scriptText MEMBER scriptText_ NOTIFY changed)
    Q_CLASSINFO("element", "TfrxReport")
    Q_CLASSINFO("file:Version", "version")
    Q_CLASSINFO("file:ScriptLanguage", "scriptLanguage")
    Q_CLASSINFO("file:ScriptText.Text", "scriptText")
    Q_CLASSINFO("quiet", "DotMatrixReport IniFile PropData StoreInDFM OldStyleProgress "
                         "ReportOptions.* PreviewOptions.* PrintOptions.* EngineOptions.* "
                         "Units UnitsTitle DataOnly")

public:
    // A dataset the template names: the component and the alias expressions use.
    struct Dataset {
        QString component;
        QString alias;
    };
    // A report variable; its value is an expression. Names starting with a
    // blank are categories of the designer's list.
    struct Variable {
        QString name;
        QString value;
    };

    explicit ReportTemplate(QObject* parent = nullptr);

    QString version() const { return version_; }
    QString scriptLanguage() const { return scriptLanguage_; }
    QString scriptText() const { return scriptText_; }
    // Script code other than the designer's empty "begin end." block.
    bool hasScript() const;

    QList<Dataset>& datasets() { return datasets_; }
    const QList<Dataset>& datasets() const { return datasets_; }
    QList<Variable>& variables() { return variables_; }
    const QList<Variable>& variables() const { return variables_; }

    QList<ReportPage*> pages() const;
    bool isEmpty() const { return pages().isEmpty(); }

    // Removes everything, leaving the template a new empty report.
    void clear();

    // Things of the file the engine keeps but does not print or run:
    // unknown elements and attributes, script code. One line each.
    QStringList notUnderstood() const;

    // A new item for a template element, or nullptr for an element the engine
    // does not know. Bands and objects are the same classes the reader makes.
    static ReportItem* createItem(const QString& element, QObject* parent);
    // The element an item is written as.
    static QString elementOf(const ReportItem& item);

private:
    QString version_;
    QString scriptLanguage_ = QStringLiteral("PascalScript");
    QString scriptText_;
    QList<Dataset> datasets_;
    QList<Variable> variables_;
};

}  // namespace report
