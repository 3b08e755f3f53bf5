#include "TRecordPane.h"

#include "LocaleSeparators.h"
#include "RecordAppend.h"
#include "RecordRow.h"
#include "RecordTable.h"
#include "SamplingInterval.h"
#include "TCEdit.h"
#include "ToolBarButtons.h"
#include "TIntervalTimer.h"
#include "TRecordGrid.h"
#include "TRecordModel.h"

#include <QCheckBox>
#include <QDateTime>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TRecordPane::TRecordPane(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pnlRecordParent"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    ToolBar4 = new QToolBar(this);
    ToolBar4->setObjectName(QStringLiteral("ToolBar4"));
    ToolBar4->setFixedHeight(26);
    ToolBar4->setIconSize(QSize(16, 16));

    cbRepeat = new QCheckBox(QStringLiteral("Repeat"), ToolBar4);
    cbRepeat->setObjectName(QStringLiteral("cbRepeat"));
    cbRepeat->setFixedWidth(89);
    cbRepeat->setChecked(true);
    ToolBar4->addWidget(cbRepeat);
    cbInterval = new QCheckBox(QStringLiteral("Sampling Interval"), ToolBar4);
    cbInterval->setObjectName(QStringLiteral("cbInterval"));
    cbInterval->setFixedWidth(104);
    ToolBar4->addWidget(cbInterval);
    edtRecInterval = new TCEdit(ToolBar4);
    edtRecInterval->setObjectName(QStringLiteral("edtRecInterval"));
    edtRecInterval->setFixedWidth(40);
    edtRecInterval->setAlignmentMode(TCEdit::taRightJustify);
    edtRecInterval->setText(QStringLiteral("1"));
    ToolBar4->addWidget(edtRecInterval);
    lblSeconds = new QLabel(QStringLiteral(" S  "), ToolBar4);
    ToolBar4->addWidget(lblSeconds);
    ToolBar4->addSeparator();
    btnRecordNew = addToolBarButton(ToolBar4, "btnRecordNew", QStringLiteral("Clear"));
    btnRecordOpen = addToolBarButton(ToolBar4, "btnRecordOpen", QStringLiteral("Open"));
    btnRecordSave = addToolBarButton(ToolBar4, "btnRecordSave", QStringLiteral("Save"));
    btnRecordPrint = addToolBarButton(ToolBar4, "btnRecordPrint", QStringLiteral("Print"));
    btnRecordFly = addToolBarButton(ToolBar4, "btnRecordFly", QString());
    btnGridZoomout = addToolBarButton(ToolBar4, "btnGridZoomout", QString());
    setToolBarWidgetVisible(ToolBar4, btnGridZoomout, false);
    layout->addWidget(ToolBar4);

    DBGrid1 = new TRecordGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    layout->addWidget(DBGrid1, 1);

    QFont captionFont(QStringLiteral("Arial"));
    captionFont.setPixelSize(11);
    cbRepeat->setFont(captionFont);
    cbInterval->setFont(captionFont);
    m_timeSeparator = localeTimeSeparator(QLocale::system());
    cds1 = new RecordTable(QStringConverter::System, this);
    cds1->setObjectName(QStringLiteral("cds1"));
    Data1 = new TRecordModel(cds1, this);
    Data1->setObjectName(QStringLiteral("Data1"));
    setUpGrid();
    connect(cds1, &RecordTable::currentChanged, this, &TRecordPane::showCurrentRow);
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, cds1,
            [this](const QModelIndex& current) { cds1->moveTo(current.row()); });

    timerInterval = new TIntervalTimer(this);
    timerInterval->setObjectName(QStringLiteral("timerInterval"));
    timerInputDelay = new QTimer(this);
    timerInputDelay->setObjectName(QStringLiteral("timerInputDelay"));
    timerInputDelay->setInterval(1000);
    connect(timerInterval, &TIntervalTimer::timeout, this, &TRecordPane::timerIntervalTimer);
    connect(timerInputDelay, &QTimer::timeout, this, &TRecordPane::timerInputDelayTimer);
    edtRecInterval->installEventFilter(this);
    connect(edtRecInterval, &QLineEdit::textChanged, this, &TRecordPane::edtRecIntervalChange);

    // The rule handlers run before the window hears of a change, so it sees both boxes
    // in a consistent state.
    connect(cbRepeat, &QCheckBox::toggled, this, &TRecordPane::cbRepeatClick);
    connect(cbInterval, &QCheckBox::toggled, this, &TRecordPane::cbIntervalClick);
    connect(cbRepeat, &QCheckBox::toggled, this, &TRecordPane::repeatChanged);
    connect(cbInterval, &QCheckBox::toggled, this, &TRecordPane::samplingChanged);
    connect(btnRecordSave, &QToolButton::clicked, this, &TRecordPane::btnRecordSaveClick);
    connect(btnRecordOpen, &QToolButton::clicked, this, &TRecordPane::btnRecordOpenClick);
    connect(btnRecordNew, &QToolButton::clicked, this, &TRecordPane::clearRequested);
    connect(btnRecordPrint, &QToolButton::clicked, this, &TRecordPane::printRequested);
    connect(btnRecordFly, &QToolButton::clicked, this, &TRecordPane::flyRequested);
    connect(btnGridZoomout, &QToolButton::clicked, this, &TRecordPane::zoomOutRequested);
}

void TRecordPane::setUpGrid() {
    DBGrid1->setModel(Data1);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->setShowGrid(true);
    DBGrid1->setWordWrap(false);
    // Cells are clipped at the column's edge, not shortened with an ellipsis.
    DBGrid1->setTextElideMode(Qt::ElideNone);
    QFont cellFont(QStringLiteral("MS Sans Serif"));
    cellFont.setPixelSize(11);
    DBGrid1->setFont(cellFont);
    DBGrid1->setCornerButtonEnabled(false);
    DBGrid1->setAlternatingRowColors(false);
    // Rows of one fixed height (see TRecordGrid).
    QHeaderView* rows = DBGrid1->verticalHeader();
    rows->setVisible(false);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(DBGrid1->fontMetrics().height() + 4);
    QHeaderView* columns = DBGrid1->horizontalHeader();
    columns->setFont(cellFont);
    columns->setSectionsMovable(true);
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setHighlightSections(false);
    columns->setStretchLastSection(false);
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int c = 0; c < recordFieldCount; ++c) {
        int width = recordColumnWidths[static_cast<std::size_t>(c)];
        if (width == 0) {
            // A 20-character field: twenty average characters and the cell's margins.
            width = DBGrid1->fontMetrics().averageCharWidth() * recordTextWidth + 4;
        }
        columns->resizeSection(c, width);
    }
}

void TRecordPane::showCurrentRow(int row) {
    if (row < 0 || row >= Data1->rowCount()) {
        return;
    }
    const int column = std::max(DBGrid1->currentIndex().column(), 0);
    const QModelIndex index = Data1->index(row, column);
    DBGrid1->setCurrentIndex(index);
    DBGrid1->scrollTo(index);
}

void TRecordPane::appendRecord(const MeterReading& reading) {
    appendRecordRow(cds1, recordRowTexts(reading, QDateTime::currentDateTime(), m_timeSeparator));
}

void TRecordPane::clearRecords() {
    cds1->clear();
}

bool TRecordPane::repeatChecked() const {
    return cbRepeat->isChecked();
}

bool TRecordPane::samplingChecked() const {
    return cbInterval->isChecked();
}

void TRecordPane::setInformationHandler(std::function<void(const QString&)> handler) {
    m_information = std::move(handler);
}

void TRecordPane::setErrorHandler(std::function<void(const QString&)> handler) {
    m_error = std::move(handler);
}

void TRecordPane::setSaveDialog(std::function<QString()> dialog) {
    m_saveDialog = std::move(dialog);
}

void TRecordPane::setOpenDialog(std::function<QString()> dialog) {
    m_openDialog = std::move(dialog);
}

void TRecordPane::cbRepeatClick() {
    if (!cbRepeat->isChecked() && cbInterval->isChecked()) {
        cbInterval->setChecked(false);
    }
}

void TRecordPane::cbIntervalClick() {
    if (cbInterval->isChecked() && !cbRepeat->isChecked()) {
        cbRepeat->setChecked(true);
    }
    if (cbInterval->isChecked()) {
        timerInterval->start();
    } else {
        timerInterval->stop();
    }
}

void TRecordPane::edtRecIntervalChange() {
    timerInputDelay->stop();
    timerInputDelay->start();
}

void TRecordPane::timerInputDelayTimer() {
    timerInputDelay->stop();
    qint64 seconds = samplingIntervalSeconds(edtRecInterval->text());
    if (seconds == 0) {
        edtRecInterval->setText(QStringLiteral("1"));
        seconds = 1;
    }
    timerInterval->setInterval(seconds * 1000);
}

void TRecordPane::timerIntervalTimer() {
    emit samplingTick();
}

bool TRecordPane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edtRecInterval && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Backspace) {
            return false;
        }
        // Keys that type no character (arrows, Delete, Home, Tab's focus move) pass; a
        // typed character other than a digit is dropped, control characters included
        // (Ctrl+V types one, so pasting by keyboard is dropped too).
        QString typed = key->text();
        if (typed.isEmpty() && (key->modifiers() & Qt::ControlModifier) &&
            key->key() >= Qt::Key_A && key->key() <= Qt::Key_Z) {
            typed = QChar(key->key() - Qt::Key_A + 1);
        }
        if (typed.isEmpty() || key->key() == Qt::Key_Delete || key->key() == Qt::Key_Tab ||
            key->key() == Qt::Key_Backtab) {
            return false;
        }
        return !acceptsIntervalCharacter(typed.front());
    }
    return QWidget::eventFilter(watched, event);
}
