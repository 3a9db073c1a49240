#pragma once

#include "platform/db/Connection.h"
#include "platform/db/DataSource.h"
#include "platform/db/Dataset.h"
#include "platform/db/EditableQuery.h"
#include "platform/db/Transaction.h"
#include "platform/report/DatasetWrapper.h"
#include "platform/report/Report.h"
#include "platform/report/designer/ReportDesigner.h"

#include <QObject>

// The data module: the one connection, the one transaction and every dataset
// the windows share, with their data sources and event handlers. Windows bind
// to these objects and call their operations directly.
class Tdm : public QObject {
    Q_OBJECT

public:
    explicit Tdm(QObject* owner = nullptr);
    ~Tdm() override;

    db::Connection* IBDatabase1;
    db::Transaction* IBTransaction1;

    db::EditableQuery* Q_Masa;
    db::EditableQuery* Q_Adisyon;
    db::EditableQuery* Q_AH;
    db::Dataset* qrySum;
    db::TableDataset* T_Ayarlar;
    db::EditableQuery* Q_Stok;
    db::EditableQuery* Q_Grup;
    db::EditableQuery* Q_Birim;
    db::Dataset* qryAdisyon;
    db::Dataset* qryAH;

    db::DataSource* Ds_Q_Masa;
    db::DataSource* Ds_Q_Adisyon;
    db::DataSource* Ds_Q_AH;
    db::DataSource* ds_qrySum;
    db::DataSource* Ds_T_Ayarlar;
    db::DataSource* Ds_Q_Stok;
    db::DataSource* Ds_Q_Grup;
    db::DataSource* Ds_Q_Birim;
    db::DataSource* Ds_qryAdisyon;
    db::DataSource* Ds_qryAH;

    // The report engine shared by the slip and the summary report, and the
    // four wrappers through which templates read the datasets ("Ds_1",
    // "Ds_2", "ds_3", "ds_4"). The designer installs itself on Report.
    report::Report* Report;
    report::ReportDesigner* frxDesigner;
    report::DatasetWrapper* dt_1;
    report::DatasetWrapper* dt_2;
    report::DatasetWrapper* dt_3;
    report::DatasetWrapper* dt_4;
    // Empties the report and loads a template of the rapor folder; a missing
    // file leaves the report empty, to be saved there from the designer.
    void loadReportTemplate(const QString& path);
    // Binds a wrapper to a dataset under the wrapper's name in templates.
    void bindReportDataset(report::DatasetWrapper* wrapper, db::Dataset* dataset);

    // Event handlers, as the datasets call them.
    void Q_AdisyonAfterInsert(db::Dataset& dataset);
    void Q_AdisyonAfterOpen(db::Dataset& dataset);
    void Q_AdisyonAfterClose(db::Dataset& dataset);
    void Q_AHBeforePost(db::Dataset& dataset);
    void Q_AHAfterInsert(db::Dataset& dataset);
    void Q_AHAfterEdit(db::Dataset& dataset);
    void Q_StokAfterOpen(db::Dataset& dataset);
    void Q_StokAfterInsert(db::Dataset& dataset);
    void Q_StokAfterEdit(db::Dataset& dataset);
    void Q_StokAfterPost(db::Dataset& dataset);
    void Q_GrupAfterPost(db::Dataset& dataset);
    void Q_BirimAfterPost(db::Dataset& dataset);
    void T_AyarlarBeforeEdit(db::Dataset& dataset);
    void T_AyarlarAfterPost(db::Dataset& dataset);
    void qryAdisyonAfterOpen(db::Dataset& dataset);

    // Every dataset of the module, for checks that look at all of them.
    QList<db::Dataset*> datasets() const;

    // A retaining commit keeps the server's oldest snapshot where it was, so
    // old row versions pile up over a day of service. When nothing is being
    // typed and no command is half-way, the transaction is ended for real and
    // started again; the datasets keep their rows. Returns whether it did.
    bool renewTransactionIfQuiet();

private:
    db::EditableQuery* editable(const QString& name, const QString& sql, const QString& table, const QString& key,
                                const QString& generator);
    db::DataSource* source(const QString& name, db::Dataset* dataset);
};

// The one data module, created by the main window when it is first shown.
extern Tdm* dm;
