#include "ReportEngine.h"

#include "DisplayFormat.h"
#include "Expression.h"
#include "LineView.h"
#include "MemoText.h"
#include "MemoView.h"
#include "PictureView.h"
#include "ReportBand.h"
#include "ReportDataset.h"
#include "ReportError.h"
#include "ReportPage.h"
#include "ReportTemplate.h"
#include "ShapeView.h"

#include <QGuiApplication>
#include <QHash>
#include <QLoggingCategory>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <functional>

Q_LOGGING_CATEGORY(lcReport, "tavlora.report")

namespace report {

namespace {

// A data band with the bands that belong to it.
struct DataSection {
    const ReportBand* band = nullptr;
    QList<const ReportBand*> headers;
    QList<const ReportBand*> footers;
    QList<const ReportBand*> groupHeaders;  // outermost first
    QList<const ReportBand*> groupFooters;  // innermost first
    QList<DataSection> details;
};

struct PagePlan {
    const ReportPage* page = nullptr;
    const ReportBand* title = nullptr;
    const ReportBand* pageHeader = nullptr;
    const ReportBand* pageFooter = nullptr;
    const ReportBand* summary = nullptr;
    QList<DataSection> masters;
    // For aggregates that name no band: the data band a band belongs to.
    QHash<const ReportBand*, const ReportBand*> dataBandOf;
};

struct Accumulator {
    double sum = 0;
    qlonglong integerSum = 0;
    bool allIntegers = true;
    qlonglong count = 0;
    QVariant minimum;
    QVariant maximum;
};

struct AggregateInfo {
    const ReportBand* dataBand = nullptr;    // the band whose rows it counts
    const ReportBand* container = nullptr;   // the band that prints it
    QString problem;
};

}  // namespace

class ReportEngine::Run : public ExpressionContext {
public:
    Run(const ReportTemplate& report, const QList<DatasetBinding>& bindings, const Settings& settings,
        QStringList& messages)
        : report_(report), bindings_(bindings), settings_(settings), messages_(messages)
    {
    }

    PreparedReport execute();

    // ExpressionContext
    QVariant fieldValue(const QString& alias, const QString& field) override;
    QVariant namedValue(const QString& name) override;
    QVariant aggregateValue(const AggregateCall& call) override;
    QLocale locale() const override { return settings_.locale; }

private:
    struct Rendered {
        double height = 0;
        QList<PreparedItem> items;  // band-relative
    };

    void note(const QString& message);
    void compile();
    void compileMemo(const MemoView* memo, const ReportBand* band, const PagePlan& plan);
    PagePlan planPage(const ReportPage& page);
    ReportDataset* datasetByAlias(const QString& alias) const;
    ReportDataset* datasetOfBand(const ReportBand& band) const;
    bool hasField(ReportDataset* dataset, const QString& field);
    void rememberRow(ReportDataset* dataset);

    void runPass();
    void runPlan(const PagePlan& plan);
    void startPage(bool firstOfPlan);
    void endPage(bool last);
    void newPage();
    // Nothing but the page header and repeated headers on the page yet.
    bool pageIsEmpty() const { return !pageHasContent_; }
    double bottomLimit() const;
    void printBand(const ReportBand* band, const std::function<void()>& accumulate = {}, bool mayBreak = true,
                   int childDepth = 0);
    void printSection(const DataSection& section);
    void printGroupFooters(const DataSection& section, int fromLevel, ReportDataset* dataset);
    void accumulateRow(const ReportBand* dataBand);
    void resetAggregatesOf(const ReportBand* band);
    Rendered render(const ReportBand& band);
    QString memoText(const MemoView& memo);
    void place(const Rendered& rendered, double top);

    const ReportTemplate& report_;
    const QList<DatasetBinding>& bindings_;
    const Settings& settings_;
    QStringList& messages_;
    QSet<QString> noted_;

    QList<PagePlan> plans_;
    QHash<const MemoView*, MemoText> memoTexts_;
    QHash<const ReportBand*, std::shared_ptr<Expression>> conditions_;
    QHash<QString, std::shared_ptr<Expression>> variables_;
    QHash<QString, QString> variableSources_;
    int variableDepth_ = 0;
    QHash<const AggregateCall*, AggregateInfo> aggregates_;
    QHash<const ReportBand*, QList<const AggregateCall*>> accumulatedBy_;
    QHash<const ReportBand*, QList<const AggregateCall*>> resetBy_;
    QHash<const AggregateCall*, Accumulator> accumulators_;
    QHash<ReportDataset*, QSet<QString>> fieldNames_;
    QHash<ReportDataset*, QHash<QString, QVariant>> lastRows_;
    QSet<ReportDataset*> frozen_;
    bool needsTotalPages_ = false;

    // State of one pass.
    PreparedReport out_;
    const PagePlan* plan_ = nullptr;
    double y_ = 0;
    bool pageHasContent_ = false;
    int pageNumber_ = 0;
    int totalPages_ = 0;
    int line_ = 0;
    int rowsPrinted_ = 0;
    int itemsPlaced_ = 0;
    bool firstPageOfPlan_ = true;
    QList<const ReportBand*> reprinted_;
    const ReportBand* currentBand_ = nullptr;
    const MemoView* currentMemo_ = nullptr;
};

void ReportEngine::Run::note(const QString& message)
{
    if (noted_.contains(message))
        return;
    noted_.insert(message);
    messages_.append(message);
    qCWarning(lcReport).noquote() << message;
}

// ---- plan -------------------------------------------------------------------

PagePlan ReportEngine::Run::planPage(const ReportPage& page)
{
    PagePlan plan;
    plan.page = &page;
    QList<const ReportBand*> bands;
    for (const ReportBand* band : page.bands())
        bands.append(band);
    std::stable_sort(bands.begin(), bands.end(),
                     [](const ReportBand* a, const ReportBand* b) { return a->top() < b->top(); });

    QList<const ReportBand*> pendingHeaders;
    QList<const ReportBand*> pendingGroupHeaders;
    DataSection* lastMaster = nullptr;
    DataSection* lastData = nullptr;
    auto single = [&](const ReportBand*& slot, const ReportBand* band) {
        if (slot)
            note(QStringLiteral("%1 \"%2\": bu türden ikinci bant basılmaz")
                     .arg(ReportBand::elementForKind(band->kind()), band->name()));
        else
            slot = band;
    };
    for (const ReportBand* band : bands) {
        switch (band->kind()) {
        case ReportBand::ReportTitle: single(plan.title, band); break;
        case ReportBand::PageHeader: single(plan.pageHeader, band); break;
        case ReportBand::PageFooter: single(plan.pageFooter, band); break;
        case ReportBand::ReportSummary: single(plan.summary, band); break;
        case ReportBand::Child: break;
        case ReportBand::Header: pendingHeaders.append(band); break;
        case ReportBand::GroupHeader: pendingGroupHeaders.append(band); break;
        case ReportBand::MasterData:
        case ReportBand::DetailData: {
            DataSection section;
            section.band = band;
            section.headers = pendingHeaders;
            pendingHeaders.clear();
            if (band->kind() == ReportBand::DetailData && lastMaster) {
                lastMaster->details.append(section);
                lastData = &lastMaster->details.last();
            } else {
                section.groupHeaders = pendingGroupHeaders;
                pendingGroupHeaders.clear();
                plan.masters.append(section);
                lastMaster = &plan.masters.last();
                lastData = lastMaster;
            }
            break;
        }
        case ReportBand::Footer:
            if (lastData)
                lastData->footers.append(band);
            else
                note(QStringLiteral("alt bilgi bandı \"%1\" üstünde veri bandı olmadığı için basılmaz").arg(band->name()));
            break;
        case ReportBand::GroupFooter:
            if (lastMaster)
                lastMaster->groupFooters.append(band);
            else
                note(QStringLiteral("grup alt bilgisi \"%1\" üstünde veri bandı olmadığı için basılmaz").arg(band->name()));
            break;
        }
    }
    for (const ReportBand* band : pendingHeaders + pendingGroupHeaders)
        note(QStringLiteral("\"%1\" altında veri bandı olmadığı için basılmaz").arg(band->name()));

    // The data band each band belongs to, for aggregates that name none.
    std::function<void(const DataSection&)> link = [&](const DataSection& section) {
        plan.dataBandOf.insert(section.band, section.band);
        for (const ReportBand* band : section.headers + section.footers + section.groupHeaders + section.groupFooters)
            plan.dataBandOf.insert(band, section.band);
        for (const DataSection& detail : section.details)
            link(detail);
    };
    for (const DataSection& master : plan.masters)
        link(master);
    if (!plan.masters.isEmpty()) {
        for (const ReportBand* band : {plan.summary, plan.pageFooter, plan.pageHeader, plan.title}) {
            if (band)
                plan.dataBandOf.insert(band, plan.masters.first().band);
        }
    }
    return plan;
}

void ReportEngine::Run::compileMemo(const MemoView* memo, const ReportBand* band, const PagePlan& plan)
{
    MemoText text = memo->allowExpressions() ? MemoText::compile(memo->text(), memo->expressionDelimiters())
                                             : MemoText::literal(memo->text());
    if (text.usesTotalPages())
        needsTotalPages_ = true;
    for (const MemoText::Part& part : text.parts()) {
        if (!part.expression)
            continue;
        for (const auto& call : part.expression->aggregates()) {
            AggregateInfo info;
            info.container = band;
            if (call->bandName().isEmpty()) {
                info.dataBand = plan.dataBandOf.value(band);
            } else {
                for (const PagePlan& other : plans_) {
                    for (const ReportBand* candidate : other.page->bands()) {
                        if (candidate->name().compare(call->bandName(), Qt::CaseInsensitive) == 0)
                            info.dataBand = candidate;
                    }
                }
            }
            if (!info.dataBand)
                info.problem = QStringLiteral("toplanacak \"%1\" bandı yok").arg(call->bandName());
            else if (!info.dataBand->isDataBand())
                info.problem = QStringLiteral("\"%1\" bir veri bandı değil").arg(call->bandName());
            if (info.problem.isEmpty()) {
                accumulatedBy_[info.dataBand].append(call.get());
                // A sum inside its own data band runs on; elsewhere it starts
                // again after each print of the band that shows it.
                if (info.container != info.dataBand)
                    resetBy_[info.container].append(call.get());
            }
            aggregates_.insert(call.get(), info);
        }
    }
    memoTexts_.insert(memo, std::move(text));
}

void ReportEngine::Run::compile()
{
    for (const ReportPage* page : report_.pages())
        plans_.append(planPage(*page));
    for (const PagePlan& plan : plans_) {
        for (const ReportBand* band : plan.page->bands()) {
            for (const ReportView* view : band->views()) {
                if (auto* memo = qobject_cast<const MemoView*>(view))
                    compileMemo(memo, band, plan);
            }
            if (band->kind() == ReportBand::GroupHeader) {
                QString error;
                std::shared_ptr<Expression> condition = Expression::parse(band->condition(), &error);
                if (!condition)
                    note(QStringLiteral("grup \"%1\": \"%2\" koşulu okunamıyor: %3")
                             .arg(band->name(), band->condition(), error));
                conditions_.insert(band, condition);
            }
        }
    }
    for (const ReportTemplate::Variable& variable : report_.variables()) {
        if (variable.name.startsWith(QLatin1Char(' ')))
            continue;
        variableSources_.insert(variable.name.toLower(), variable.value);
        if (variable.value.contains(QLatin1String("TotalPages#"), Qt::CaseInsensitive))
            needsTotalPages_ = true;
    }
}

// ---- data -------------------------------------------------------------------

ReportDataset* ReportEngine::Run::datasetByAlias(const QString& alias) const
{
    const QString name = alias.trimmed();
    for (const DatasetBinding& binding : bindings_) {
        if (binding.alias.compare(name, Qt::CaseInsensitive) == 0)
            return binding.dataset;
    }
    for (const DatasetBinding& binding : bindings_) {
        if (!binding.component.isEmpty() && binding.component.compare(name, Qt::CaseInsensitive) == 0)
            return binding.dataset;
    }
    // The template's own list may name the component behind an alias.
    for (const ReportTemplate::Dataset& declared : report_.datasets()) {
        if (declared.alias.compare(name, Qt::CaseInsensitive) == 0 && declared.component.compare(name, Qt::CaseInsensitive) != 0)
            return datasetByAlias(declared.component);
    }
    return nullptr;
}

ReportDataset* ReportEngine::Run::datasetOfBand(const ReportBand& band) const
{
    if (!band.dataSetName().isEmpty()) {
        if (ReportDataset* dataset = datasetByAlias(band.dataSetName()))
            return dataset;
    }
    if (!band.dataSet().isEmpty()) {
        QString component = band.dataSet();
        if (component.startsWith(QLatin1String("Report."), Qt::CaseInsensitive))
            component = component.mid(7);
        if (ReportDataset* dataset = datasetByAlias(component))
            return dataset;
        for (const ReportTemplate::Dataset& declared : report_.datasets()) {
            if (declared.component.compare(component, Qt::CaseInsensitive) == 0)
                return datasetByAlias(declared.alias);
        }
    }
    return nullptr;
}

bool ReportEngine::Run::hasField(ReportDataset* dataset, const QString& field)
{
    auto names = fieldNames_.find(dataset);
    if (names == fieldNames_.end()) {
        QSet<QString> lower;
        for (const QString& name : dataset->fieldNames())
            lower.insert(name.toLower());
        names = fieldNames_.insert(dataset, lower);
    }
    return names->contains(field.toLower());
}

void ReportEngine::Run::rememberRow(ReportDataset* dataset)
{
    // Like a classic dataset, one read to its end keeps showing its last row.
    QHash<QString, QVariant>& row = lastRows_[dataset];
    row.clear();
    for (const QString& name : dataset->fieldNames())
        row.insert(name.toLower(), dataset->value(name));
}

QVariant ReportEngine::Run::fieldValue(const QString& alias, const QString& field)
{
    ReportDataset* dataset = datasetByAlias(alias);
    if (!dataset)
        throw EvaluationError(QStringLiteral("\"%1\" adlı veri kümesi bağlı değil").arg(alias));
    if (!hasField(dataset, field))
        throw EvaluationError(QStringLiteral("\"%1\" veri kümesinde \"%2\" alanı yok").arg(alias, field));
    if (frozen_.contains(dataset) || dataset->eof()) {
        auto row = lastRows_.constFind(dataset);
        return row == lastRows_.constEnd() ? QVariant() : row->value(field.toLower());
    }
    return dataset->value(field);
}

QVariant ReportEngine::Run::namedValue(const QString& name)
{
    const QString lower = name.trimmed().toLower();
    if (lower == QLatin1String("date"))
        return settings_.now.date();
    if (lower == QLatin1String("time"))
        return settings_.now.time();
    if (lower == QLatin1String("now"))
        return settings_.now;
    if (lower == QLatin1String("page") || lower == QLatin1String("page#"))
        return pageNumber_;
    if (lower == QLatin1String("totalpages") || lower == QLatin1String("totalpages#"))
        return totalPages_;
    if (lower == QLatin1String("line") || lower == QLatin1String("line#"))
        return line_;
    auto source = variableSources_.constFind(lower);
    if (source != variableSources_.constEnd()) {
        if (variableDepth_ > 16)
            throw EvaluationError(QStringLiteral("\"%1\" değişkeni kendini gösteriyor").arg(name));
        auto compiled = variables_.find(lower);
        if (compiled == variables_.end()) {
            QString error;
            compiled = variables_.insert(lower, Expression::parse(*source, &error));
            if (!*compiled)
                throw EvaluationError(QStringLiteral("\"%1\" değişkeni: %2").arg(name, error));
        }
        if (!*compiled)
            throw EvaluationError(QStringLiteral("\"%1\" değişkeni okunamıyor").arg(name));
        ++variableDepth_;
        struct Leave { int& depth; ~Leave() { --depth; } } leave{variableDepth_};
        return (*compiled)->evaluate(*this);
    }
    throw EvaluationError(QStringLiteral("bilinmeyen ad \"%1\"").arg(name));
}

QVariant ReportEngine::Run::aggregateValue(const AggregateCall& call)
{
    const AggregateInfo info = aggregates_.value(&call);
    if (!info.problem.isEmpty())
        throw EvaluationError(info.problem);
    const Accumulator a = accumulators_.value(&call);
    switch (call.function()) {
    case AggregateCall::Function::Count: return a.count;
    case AggregateCall::Function::Sum:
        return a.allIntegers ? QVariant(a.integerSum) : QVariant(a.sum);
    case AggregateCall::Function::Avg: return a.count ? QVariant(a.sum / a.count) : QVariant(0);
    case AggregateCall::Function::Min: return a.minimum;
    case AggregateCall::Function::Max: return a.maximum;
    }
    return {};
}

void ReportEngine::Run::accumulateRow(const ReportBand* dataBand)
{
    for (const AggregateCall* call : accumulatedBy_.value(dataBand)) {
        if (!dataBand->isVisible() && !(call->flags() & 1))
            continue;
        QVariant value;
        try {
            value = call->rowValue(*this);
        } catch (const EvaluationError& e) {
            note(QStringLiteral("\"%1\": \"%2\" üzerinde toplanamıyor: %3")
                     .arg(aggregates_.value(call).container->name(), dataBand->name(), e.message()));
            continue;
        }
        Accumulator& a = accumulators_[call];
        if (call->function() == AggregateCall::Function::Count) {
            ++a.count;
            continue;
        }
        if (isNullValue(value))
            continue;  // NULLs are not counted, as in SQL
        ++a.count;
        bool numeric = isNumericValue(value) || value.typeId() == QMetaType::Bool;
        double number = value.toDouble();
        if (!numeric && (call->function() == AggregateCall::Function::Sum || call->function() == AggregateCall::Function::Avg)) {
            number = value.toString().trimmed().toDouble(&numeric);
            if (!numeric) {
                note(QStringLiteral("\"%1\" toplanamaz").arg(value.toString().left(40)));
                continue;
            }
        }
        a.sum += number;
        if (isIntegralValue(value))
            a.integerSum += value.toLongLong();
        else
            a.allIntegers = false;
        auto less = [](const QVariant& x, const QVariant& y) {
            if ((isNumericValue(x)) && isNumericValue(y))
                return x.toDouble() < y.toDouble();
            return QVariant::compare(x, y) == QPartialOrdering::Less;
        };
        if (isNullValue(a.minimum) || less(value, a.minimum))
            a.minimum = value;
        if (isNullValue(a.maximum) || less(a.maximum, value))
            a.maximum = value;
    }
}

void ReportEngine::Run::resetAggregatesOf(const ReportBand* band)
{
    for (const AggregateCall* call : resetBy_.value(band)) {
        if (!call->isRunningTotal())
            accumulators_.remove(call);
    }
}

// ---- pages ------------------------------------------------------------------

PreparedReport ReportEngine::Run::execute()
{
    compile();
    runPass();
    if (needsTotalPages_) {
        // The second pass knows the page count; it lays the same data out again.
        totalPages_ = out_.pageCount();
        runPass();
    }
    return out_;
}

void ReportEngine::Run::runPass()
{
    out_.clear();
    accumulators_.clear();
    lastRows_.clear();
    frozen_.clear();
    pageNumber_ = 0;
    rowsPrinted_ = 0;
    itemsPlaced_ = 0;
    for (const PagePlan& plan : plans_)
        runPlan(plan);
}

void ReportEngine::Run::runPlan(const PagePlan& plan)
{
    plan_ = &plan;
    reprinted_.clear();
    startPage(true);
    for (const DataSection& master : plan.masters)
        printSection(master);
    if (plan.summary)
        printBand(plan.summary);
    endPage(true);
}

double ReportEngine::Run::bottomLimit() const
{
    const ReportPage& page = *plan_->page;
    double limit = (page.paperHeight() - page.marginsMm().bottom()) * UnitsPerMm;
    if (plan_->pageFooter && plan_->pageFooter->isVisible())
        limit -= plan_->pageFooter->height();
    return limit;
}

void ReportEngine::Run::startPage(bool firstOfPlan)
{
    if (out_.pageCount() >= settings_.maxPages)
        throw ReportError(QStringLiteral("rapor %1 sayfadan uzun").arg(settings_.maxPages));
    const ReportPage& page = *plan_->page;
    PreparedPage prepared;
    prepared.paperMm = QSizeF(page.paperWidth(), page.paperHeight());
    out_.pages().append(prepared);
    ++pageNumber_;
    firstPageOfPlan_ = firstOfPlan;
    y_ = page.marginsMm().top() * UnitsPerMm;
    pageHasContent_ = false;
    const bool titleFirst = page.titleBeforeHeader();
    if (firstOfPlan && plan_->title && titleFirst)
        printBand(plan_->title, {}, false);
    if (plan_->pageHeader && (!firstOfPlan || plan_->pageHeader->printsOnFirstPage()))
        printBand(plan_->pageHeader, {}, false);
    if (firstOfPlan && plan_->title && !titleFirst)
        printBand(plan_->title, {}, false);
    for (const ReportBand* header : reprinted_)
        printBand(header, {}, false);
    pageHasContent_ = firstOfPlan && plan_->title && plan_->title->isVisible();
}

void ReportEngine::Run::endPage(bool last)
{
    const ReportPage& page = *plan_->page;
    const ReportBand* footer = plan_->pageFooter;
    const bool printFooter = footer && (!firstPageOfPlan_ || footer->printsOnFirstPage())
        && (!last || footer->printsOnLastPage());
    if (printFooter && footer->isVisible()) {
        const Rendered rendered = render(*footer);
        const double top = page.isRollPaper()
            ? y_
            : (page.paperHeight() - page.marginsMm().bottom()) * UnitsPerMm - footer->height();
        place(rendered, top);
        if (page.isRollPaper())
            y_ += rendered.height;
        resetAggregatesOf(footer);
    }
    if (page.isRollPaper()) {
        // Roll paper is cut where the content ends.
        const double heightMm = y_ / UnitsPerMm + page.marginsMm().bottom();
        out_.pages().last().paperMm.setHeight(std::max(heightMm, page.marginsMm().top() + page.marginsMm().bottom() + 10));
    }
}

void ReportEngine::Run::newPage()
{
    endPage(false);
    startPage(false);
}

void ReportEngine::Run::printBand(const ReportBand* band, const std::function<void()>& accumulate, bool mayBreak,
                                  int childDepth)
{
    if (!band->isVisible()) {
        if (accumulate)
            accumulate();
        return;
    }
    const bool roll = plan_->page->isRollPaper();
    if (mayBreak && !roll && band->startsNewPage() && !pageIsEmpty())
        newPage();
    QHash<const AggregateCall*, Accumulator> before;
    if (accumulate) {
        before = accumulators_;
        accumulate();
    }
    Rendered rendered = render(*band);
    if (mayBreak && !roll && y_ + rendered.height > bottomLimit() && !pageIsEmpty()) {
        // The row belongs to the next page, and so do its sums.
        if (accumulate)
            accumulators_ = before;
        newPage();
        if (accumulate)
            accumulate();
        rendered = render(*band);
    }
    place(rendered, y_);
    y_ += rendered.height;
    if (mayBreak)
        pageHasContent_ = true;
    if (roll && y_ > 1000000)
        throw ReportError(QStringLiteral("rapor %1 metre kağıttan uzun").arg(1000000 / UnitsPerMm / 1000, 0, 'f', 0));
    resetAggregatesOf(band);
    if (!band->childName().isEmpty()) {
        if (childDepth >= 16) {
            note(QStringLiteral("\"%1\" bandı: alt bantlar çok derin iç içe").arg(band->name()));
            return;
        }
        for (const ReportBand* child : plan_->page->bands()) {
            if (child->name().compare(band->childName(), Qt::CaseInsensitive) == 0 && child != band) {
                printBand(child, {}, mayBreak, childDepth + 1);
                return;
            }
        }
        note(QStringLiteral("\"%1\" bandı: \"%2\" alt bandı yok").arg(band->name(), band->childName()));
    }
}

void ReportEngine::Run::printGroupFooters(const DataSection& section, int fromLevel, ReportDataset* dataset)
{
    // The footers of the groups just ended show the last row of those groups.
    if (dataset)
        frozen_.insert(dataset);
    const int levels = int(section.groupHeaders.size());
    for (int level = levels - 1; level >= fromLevel; --level) {
        const int fromInner = levels - 1 - level;
        if (fromInner < section.groupFooters.size())
            printBand(section.groupFooters[fromInner]);
    }
    if (dataset)
        frozen_.remove(dataset);
}

void ReportEngine::Run::printSection(const DataSection& section)
{
    const ReportBand& band = *section.band;
    ReportDataset* dataset = datasetOfBand(band);
    int rowLimit = 0;
    if (dataset) {
        dataset->first();
        if (dataset->eof())
            return;
    } else if (band.rowCount() > 0) {
        rowLimit = band.rowCount();
    } else {
        const QString name = band.dataSetName().isEmpty() ? band.dataSet() : band.dataSetName();
        if (!name.isEmpty())
            note(QStringLiteral("\"%1\" veri bandı: \"%2\" adlı veri kümesi bağlı değil").arg(band.name(), name));
        return;
    }

    const int reprintMark = int(reprinted_.size());
    for (const ReportBand* header : section.headers) {
        printBand(header);
        if (header->reprintsOnNewPage())
            reprinted_.append(header);
    }
    QList<QVariant> groupValues;
    // Where each group level's reprinted headers begin in reprinted_.
    QList<qsizetype> levelStart(section.groupHeaders.size(), reprinted_.size());
    const int savedLine = line_;
    int row = 0;
    while (dataset ? !dataset->eof() : row < rowLimit) {
        ++row;
        if (++rowsPrinted_ > settings_.maxRows)
            throw ReportError(QStringLiteral("raporda %1 satırdan fazla veri var").arg(settings_.maxRows));
        line_ = row;

        // Groups: the outermost group whose condition changed ends here.
        QList<QVariant> values;
        for (const ReportBand* header : section.groupHeaders) {
            QVariant value;
            if (const auto& condition = conditions_.value(header)) {
                try {
                    value = condition->evaluate(*this);
                } catch (const EvaluationError& e) {
                    note(QStringLiteral("grup \"%1\": %2").arg(header->name(), e.message()));
                }
            }
            values.append(value);
        }
        int changedLevel = -1;
        if (section.groupHeaders.isEmpty()) {
            // no groups
        } else if (row == 1) {
            changedLevel = 0;
        } else {
            for (int level = 0; level < values.size(); ++level) {
                if (values[level] != groupValues[level]) {
                    changedLevel = level;
                    break;
                }
            }
            if (changedLevel >= 0)
                printGroupFooters(section, changedLevel, dataset);
        }
        if (changedLevel >= 0) {
            reprinted_.resize(levelStart[changedLevel]);
            for (int level = changedLevel; level < section.groupHeaders.size(); ++level) {
                levelStart[level] = reprinted_.size();
                printBand(section.groupHeaders[level]);
                if (section.groupHeaders[level]->reprintsOnNewPage())
                    reprinted_.append(section.groupHeaders[level]);
            }
        }
        groupValues = values;

        bool print = true;
        if (!section.details.isEmpty() && !band.printsIfDetailEmpty()) {
            print = false;
            for (const DataSection& detail : section.details) {
                ReportDataset* detailData = datasetOfBand(*detail.band);
                if (detailData) {
                    detailData->first();
                    print = print || !detailData->eof();
                } else {
                    print = print || detail.band->rowCount() > 0;
                }
            }
        }
        if (print) {
            printBand(section.band, [this, &section] { accumulateRow(section.band); });
            for (const DataSection& detail : section.details) {
                printSection(detail);
                line_ = row;
            }
        }
        if (dataset) {
            rememberRow(dataset);
            dataset->next();
        }
    }
    if (!section.groupHeaders.isEmpty())
        printGroupFooters(section, 0, dataset);
    reprinted_.resize(reprintMark);
    for (const ReportBand* footer : section.footers)
        printBand(footer);
    line_ = savedLine;
}

// ---- bands ------------------------------------------------------------------

QString ReportEngine::Run::memoText(const MemoView& memo)
{
    const auto compiled = memoTexts_.constFind(&memo);
    if (compiled == memoTexts_.constEnd())
        return {};
    const DisplayFormat format(DisplayFormat::Kind(memo.displayFormatKind()), memo.displayFormat(),
                               memo.decimalSeparator(), memo.thousandSeparator());
    QString text;
    for (const MemoText::Part& part : compiled->parts()) {
        if (!part.expression && part.source.isEmpty() && part.parseError.isEmpty()) {
            text += part.literal;
            continue;
        }
        if (!part.expression) {
            note(QStringLiteral("\"%1\": [%2] okunamıyor: %3").arg(memo.name(), part.source, part.parseError));
            continue;
        }
        QVariant value;
        try {
            value = part.expression->evaluate(*this);
        } catch (const EvaluationError& e) {
            note(QStringLiteral("\"%1\": [%2] hesaplanamıyor: %3").arg(memo.name(), part.source, e.message()));
            continue;
        }
        if (memo.hideZeros() && isNumericValue(value) && value.toDouble() == 0)
            continue;
        text += part.hasFormat ? part.format.apply(value, settings_.locale) : format.apply(value, settings_.locale);
    }
    // A runaway text would only be clipped; keep its layout bounded.
    constexpr int textLimit = 100000;
    if (text.size() > textLimit)
        text.truncate(textLimit);
    return text;
}

namespace {

PreparedItem boxItem(const ReportBox& box, const QRectF& rect)
{
    PreparedItem item;
    item.rect = rect;
    item.fill = colorFromDelphi(box.color());
    item.frameSides = box.frameTyp() & 15;
    item.frameWidth = box.frameWidth();
    item.frameColor = colorFromDelphi(box.frameColor());
    static const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                          Qt::DashDotDotLine, Qt::SolidLine};
    item.frameStyle = styles[std::clamp(int(box.frameStyle()), 0, 5)];
    return item;
}

}  // namespace

ReportEngine::Run::Rendered ReportEngine::Run::render(const ReportBand& band)
{
    currentBand_ = &band;
    Rendered rendered;
    struct Placed {
        const ReportView* view;
        PreparedItem item;
        double designBottom;
        double growth = 0;
    };
    QList<Placed> placed;
    for (const ReportView* view : band.views()) {
        if (!view->isVisible())
            continue;
        const QRectF rect(view->left(), view->top(), view->width(), view->height());
        PreparedItem item = boxItem(*view, rect);
        double growth = 0;
        if (auto* memo = qobject_cast<const MemoView*>(view)) {
            item.kind = PreparedItem::Kind::Text;
            const ItemFont font = memo->effectiveFont();
            item.font = font.toFont();
            item.textColor = colorFromDelphi(font.color);
            if (!item.textColor.isValid())
                item.textColor = Qt::black;
            item.align = PreparedItem::Align(int(memo->hAlign()));
            item.verticalAlign = memo->vAlign() == MemoView::vaBottom ? PreparedItem::VerticalAlign::Bottom
                               : memo->vAlign() == MemoView::vaCenter ? PreparedItem::VerticalAlign::Center
                                                                      : PreparedItem::VerticalAlign::Top;
            item.gapX = memo->gapX();
            item.gapY = memo->gapY();
            item.clip = memo->isClipped();
            const TextMeasure measure(item.font);
            item.lineHeight = measure.lineHeight() + memo->lineSpacing();
            const QString text = memoText(*memo);
            const bool stretches = band.isStretched() && memo->stretchMode() == MemoView::smActualHeight;
            const double innerWidth = std::max(1.0, rect.width() - 2 * memo->gapX());
            // Lines beyond the memo's height are never seen unless it stretches.
            const int maxLines = stretches ? 5000
                                           : std::max(1, int(std::ceil(rect.height() / std::max(1.0, item.lineHeight))) + 1);
            item.lines = measure.breakLines(text, innerWidth, memo->wordWrap() && !memo->autoWidth(), maxLines);
            if (memo->autoWidth()) {
                double widest = 0;
                for (const TextLine& line : item.lines)
                    widest = std::max(widest, measure.width(line.text));
                const double width = widest + 2 * memo->gapX() + 1;
                if (memo->hAlign() == MemoView::haRight)
                    item.rect.setLeft(item.rect.right() - width);
                else
                    item.rect.setWidth(width);
            }
            if (stretches) {
                const double needed = item.lines.size() * item.lineHeight + 2 * memo->gapY();
                growth = needed - rect.height();
                item.rect.setHeight(needed);
            }
        } else if (auto* line = qobject_cast<const LineView*>(view)) {
            item.kind = PreparedItem::Kind::Line;
            item.fill = QColor();
            item.frameColor = line->color() != NoColor ? colorFromDelphi(line->color()) : colorFromDelphi(line->frameColor());
            if (!item.frameColor.isValid())
                item.frameColor = Qt::black;
            item.from = rect.topLeft();
            if (line->isDiagonal())
                item.to = rect.bottomRight();
            else if (std::abs(rect.width()) >= std::abs(rect.height()))
                item.to = QPointF(rect.right(), rect.top());
            else
                item.to = QPointF(rect.left(), rect.bottom());
        } else if (auto* shape = qobject_cast<const ShapeView*>(view)) {
            item.kind = PreparedItem::Kind::Shape;
            item.shape = PreparedItem::Shape(int(shape->shape()));
            item.curve = shape->curve();
            if (!item.frameColor.isValid())
                item.frameColor = Qt::black;
        } else if (auto* picture = qobject_cast<const PictureView*>(view)) {
            item.kind = PreparedItem::Kind::Picture;
            item.stretched = picture->isStretched();
            item.center = picture->isCentered();
            item.keepAspectRatio = picture->keepsAspectRatio();
            item.image = picture->image();
            if (!picture->dataField().isEmpty()) {
                const QString alias = picture->dataSetName().isEmpty() ? picture->dataSet() : picture->dataSetName();
                try {
                    const QVariant value = fieldValue(alias, picture->dataField());
                    if (value.typeId() == QMetaType::QImage)
                        item.image = value.value<QImage>();
                    else if (value.typeId() == QMetaType::QByteArray)
                        item.image = PictureView::decodeImage(value.toByteArray());
                } catch (const EvaluationError& e) {
                    note(QStringLiteral("\"%1\": %2").arg(picture->name(), e.message()));
                }
            }
        }
        placed.append({view, item, view->top() + view->height(), growth});
    }

    // Objects below a memo that grew move down with it, as on paper.
    for (Placed& p : placed) {
        double shift = 0;
        for (const Placed& other : placed) {
            if (&other == &p || other.growth <= 0)
                continue;
            const bool below = p.view->top() >= other.designBottom - 0.5;
            const bool overlaps = p.view->left() < other.view->left() + other.view->width()
                && other.view->left() < p.view->left() + p.view->width();
            if (below && overlaps)
                shift = std::max(shift, other.growth);
        }
        if (shift > 0) {
            p.item.rect.translate(0, shift);
            p.item.from += QPointF(0, shift);
            p.item.to += QPointF(0, shift);
        }
    }
    double height = band.height();
    if (band.isStretched()) {
        for (const Placed& p : placed)
            height = std::max(height, p.item.kind == PreparedItem::Kind::Line ? std::max(p.item.from.y(), p.item.to.y())
                                                                              : p.item.rect.bottom());
        for (Placed& p : placed) {
            auto* memo = qobject_cast<const MemoView*>(p.view);
            if (memo && memo->stretchMode() == MemoView::smMaxHeight)
                p.item.rect.setBottom(height);
        }
    }
    rendered.height = height;
    const QColor bandFill = colorFromDelphi(band.color());
    if (bandFill.isValid() || (band.frameTyp() & 15)) {
        PreparedItem backdrop = boxItem(band, QRectF(band.left(), 0, band.width(), height));
        rendered.items.append(backdrop);
    }
    for (const Placed& p : placed)
        rendered.items.append(p.item);
    return rendered;
}

void ReportEngine::Run::place(const Rendered& rendered, double top)
{
    const double left = plan_->page->marginsMm().left() * UnitsPerMm;
    PreparedPage& page = out_.pages().last();
    itemsPlaced_ += int(rendered.items.size());
    if (itemsPlaced_ > settings_.maxItems)
        throw ReportError(QStringLiteral("raporda %1 nesneden fazla basılacak nesne var").arg(settings_.maxItems));
    for (PreparedItem item : rendered.items) {
        item.rect.translate(left, top);
        item.from += QPointF(left, top);
        item.to += QPointF(left, top);
        page.items.append(item);
    }
}

// ---- engine -------------------------------------------------------------------

ReportEngine::ReportEngine(const ReportTemplate& report, QList<DatasetBinding> bindings, Settings settings)
    : report_(report), bindings_(std::move(bindings)), settings_(std::move(settings))
{
}

ReportEngine::~ReportEngine() = default;

PreparedReport ReportEngine::run()
{
    messages_.clear();
    // Text is measured with the fonts of the window system.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        throw ReportError(QStringLiteral("raporlar için çalışan bir QGuiApplication gerekir"));
    Run run(report_, bindings_, settings_, messages_);
    return run.execute();
}

QStringList ReportEngine::messages() const
{
    return messages_;
}

}  // namespace report
