#pragma once

#include "ReportItem.h"

namespace report {

class ReportView;

// A band of a page. Its kind decides when it prints; its Top only orders it in
// the designer, and headers and footers belong to the data band nearest them
// in that vertical order.
class ReportBand : public ReportBox {
    Q_OBJECT
    Q_PROPERTY(Kind kind MEMBER kind_ NOTIFY changed)
    Q_PROPERTY(bool stretched MEMBER stretched_ NOTIFY changed)
    Q_PROPERTY(QString child MEMBER child_ NOTIFY changed)
    Q_PROPERTY(bool startNewPage MEMBER startNewPage_ NOTIFY changed)
    Q_PROPERTY(bool printOnFirstPage MEMBER printOnFirstPage_ NOTIFY changed)
    Q_PROPERTY(bool printOnLastPage MEMBER printOnLastPage_ NOTIFY changed)
    Q_PROPERTY(bool reprintOnNewPage MEMBER reprintOnNewPage_ NOTIFY changed)
    Q_PROPERTY(int rowCount MEMBER rowCount_ NOTIFY changed)
    Q_PROPERTY(QString dataSet MEMBER dataSet_ NOTIFY changed)
    Q_PROPERTY(QString dataSetName MEMBER dataSetName_ NOTIFY changed)
    Q_PROPERTY(QString condition MEMBER condition_ NOTIFY changed)
    Q_PROPERTY(bool printIfDetailEmpty MEMBER printIfDetailEmpty_ NOTIFY changed)
    Q_CLASSINFO("file:Stretched", "stretched")
    Q_CLASSINFO("file:Child", "child")
    Q_CLASSINFO("file:StartNewPage", "startNewPage")
    Q_CLASSINFO("file:PrintOnFirstPage", "printOnFirstPage")
    Q_CLASSINFO("file:PrintOnLastPage", "printOnLastPage")
    Q_CLASSINFO("file:ReprintOnNewPage", "reprintOnNewPage")
    Q_CLASSINFO("file:RowCount", "rowCount")
    Q_CLASSINFO("file:DataSet", "dataSet")
    Q_CLASSINFO("file:DataSetName", "dataSetName")
    Q_CLASSINFO("file:Condition", "condition")
    Q_CLASSINFO("file:PrintIfDetailEmpty", "printIfDetailEmpty")
    Q_CLASSINFO("quiet", "OutlineText")

public:
    // Element names are "Tfrx" followed by the kind's name.
    enum Kind {
        ReportTitle, PageHeader, Header, MasterData, DetailData, Footer,
        GroupHeader, GroupFooter, ReportSummary, PageFooter, Child
    };
    Q_ENUM(Kind)

    explicit ReportBand(Kind kind = MasterData, QObject* parent = nullptr);

    Kind kind() const { return kind_; }
    bool isDataBand() const { return kind_ == MasterData || kind_ == DetailData; }
    bool isStretched() const { return stretched_; }
    QString childName() const { return child_; }
    bool startsNewPage() const { return startNewPage_; }
    bool printsOnFirstPage() const { return printOnFirstPage_; }
    bool printsOnLastPage() const { return printOnLastPage_; }
    bool reprintsOnNewPage() const { return reprintOnNewPage_; }
    int rowCount() const { return rowCount_; }
    QString dataSet() const { return dataSet_; }
    QString dataSetName() const { return dataSetName_; }
    QString condition() const { return condition_; }
    bool printsIfDetailEmpty() const { return printIfDetailEmpty_; }

    QList<ReportView*> views() const;

    // The element of a kind ("TfrxMasterData"), and the kind of an element.
    static QString elementForKind(Kind kind);
    static bool kindForElement(const QString& element, Kind* kind);

    QString checkLimits() const override;

private:
    Kind kind_;
    bool stretched_ = false;
    QString child_;
    bool startNewPage_ = false;
    bool printOnFirstPage_ = true;
    bool printOnLastPage_ = true;
    bool reprintOnNewPage_ = false;
    int rowCount_ = 0;
    QString dataSet_;
    QString dataSetName_;
    QString condition_;
    bool printIfDetailEmpty_ = false;
};

}  // namespace report
