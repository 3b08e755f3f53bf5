#include "TChartPane.h"

#include "ChartView.h"
#include "LocaleSeparators.h"
#include "RangeText.h"
#include "SystemErrorBox.h"
#include "TCEdit.h"
#include "ToolBarButtons.h"
#include "uCharControl.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QSaveFile>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int initialPageSize = 100;

// SavePictureDialog1: one filter, the default extension, the overwrite question.
QString runSavePictureDialog(QWidget* parent) {
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("SavePictureDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("Bitmaps (*.bmp)"));
    dialog.setDefaultSuffix(QStringLiteral("bmp"));
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    return dialog.selectedFiles().constFirst();
}

} // namespace

TChartPane::TChartPane(QWidget* parent)
    : QWidget(parent), m_decimalSeparator(localeDecimalSeparator(QLocale::system())),
      m_pictureFileChooser(&runSavePictureDialog) {
    setObjectName(QStringLiteral("pnlChartParent"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    buildToolBar();
    layout->addWidget(ToolBar2);

    m_chartView = new ChartView(this);
    Chart1 = m_chartView;
    layout->addWidget(Chart1, 1);
    m_chartPager = std::make_unique<TChartControl>(*m_chartView, initialPageSize);

    Timer_range = new QTimer(this);
    Timer_range->setObjectName(QStringLiteral("Timer_range"));
    Timer_range->setInterval(1000);
    Timer_range->setSingleShot(false);

    edtRange->installEventFilter(this);
    connect(edtRange, &QLineEdit::textChanged, this, &TChartPane::edtRangeChange);
    connect(Timer_range, &QTimer::timeout, this, &TChartPane::Timer_rangeTimer);
    connect(btnFirst, &QToolButton::clicked, this, &TChartPane::btnFirstClick);
    connect(btnPrevious, &QToolButton::clicked, this, &TChartPane::btnPreviousClick);
    connect(btnNext, &QToolButton::clicked, this, &TChartPane::btnNextClick);
    connect(btnLast, &QToolButton::clicked, this, &TChartPane::btnLastClick);
    connect(btnSave, &QToolButton::clicked, this, &TChartPane::btnSaveClick);
    connect(btnNew, &QToolButton::clicked, this, &TChartPane::clearRequested);
    connect(btnFly, &QToolButton::clicked, this, &TChartPane::flyRequested);
    connect(btnChartZoomOut, &QToolButton::clicked, this, &TChartPane::zoomOutRequested);
}

TChartPane::~TChartPane() = default;

void TChartPane::buildToolBar() {
    ToolBar2 = new QToolBar(this);
    ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
    ToolBar2->setFixedHeight(27);
    ToolBar2->setIconSize(QSize(16, 16));

    edtRange = new TCEdit(ToolBar2);
    edtRange->setObjectName(QStringLiteral("edtRange"));
    edtRange->setFixedWidth(35);
    edtRange->setAlignmentMode(TCEdit::taRightJustify);
    edtRange->setText(QString::number(initialPageSize));
    edtRange->setToolTip(QStringLiteral("Range"));
    ToolBar2->addWidget(edtRange);
    ToolBar2->addSeparator();
    btnFirst = addToolBarButton(ToolBar2, "btnFirst", QStringLiteral("First"));
    btnPrevious = addToolBarButton(ToolBar2, "btnPrevious", QStringLiteral("Previous"));
    edtCurPage = new TCEdit(ToolBar2);
    edtCurPage->setObjectName(QStringLiteral("edtCurPage"));
    edtCurPage->setFixedWidth(35);
    edtCurPage->setAlignmentMode(TCEdit::taCenter);
    edtCurPage->setReadOnly(true);
    edtCurPage->setFrame(false);
    edtCurPage->setCursor(Qt::ArrowCursor);
    QPalette buttonFace = edtCurPage->palette();
    buttonFace.setColor(QPalette::Base, buttonFace.color(QPalette::Button));
    edtCurPage->setPalette(buttonFace);
    edtCurPage->setText(QStringLiteral("1"));
    edtCurPage->setToolTip(QStringLiteral("CurrentPage"));
    ToolBar2->addWidget(edtCurPage);
    btnNext = addToolBarButton(ToolBar2, "btnNext", QStringLiteral("Next"));
    btnLast = addToolBarButton(ToolBar2, "btnLast", QStringLiteral("Last"));
    ToolBar2->addSeparator();
    btnNew = addToolBarButton(ToolBar2, "btnNew", QStringLiteral("Clear"));
    btnSave = addToolBarButton(ToolBar2, "btnSave", QStringLiteral("Save"));
    btnFly = addToolBarButton(ToolBar2, "btnFly", QString());
    btnChartZoomOut = addToolBarButton(ToolBar2, "btnChartZoomOut", QString());
    setToolBarWidgetVisible(ToolBar2, btnChartZoomOut, false);
    ToolBar2->addSeparator();
}

void TChartPane::setPictureFileChooser(PictureFileChooser chooser) {
    m_pictureFileChooser = chooser ? std::move(chooser) : PictureFileChooser(&runSavePictureDialog);
}

void TChartPane::showPage(int page) {
    const QString text = QString::number(page);
    if (edtCurPage->text() != text) {
        edtCurPage->setText(text);
    }
}

void TChartPane::plotValue(double displayValue, int fullScale) {
    showPage(m_chartPager->AddValue(displayValue));
    m_chartPager->SetValueMinimum(-fullScale);
    m_chartPager->SetValueMaximum(fullScale);
}

int TChartPane::clearChart() {
    const int page = m_chartPager->Clear();
    showPage(page);
    return page;
}

void TChartPane::btnFirstClick() {
    showPage(m_chartPager->FirstPage());
}

void TChartPane::btnPreviousClick() {
    showPage(m_chartPager->PriorPage());
}

void TChartPane::btnNextClick() {
    showPage(m_chartPager->NextPage());
}

void TChartPane::btnLastClick() {
    showPage(m_chartPager->LastPage());
}

void TChartPane::edtRangeChange() {
    // The size is applied one second after the last change.
    Timer_range->stop();
    Timer_range->start();
}

void TChartPane::Timer_rangeTimer() {
    const std::int32_t pageSize = pageSizeFromText(edtRange->text());
    const QString text = QString::number(pageSize);
    if (edtRange->text() != text) {
        // Restarts the timer through edtRangeChange; it is stopped below.
        edtRange->setText(text);
    }
    m_chartPager->SetRange(pageSize);
    Timer_range->stop();
}

bool TChartPane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edtRange && event->type() == QEvent::KeyPress) {
        // Only digits, backspace and the decimal separator reach the range box; keys
        // without a printable character (arrows, Delete, shortcuts) pass.
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (text.size() == 1 && text.at(0).isPrint()) {
            const QChar c = text.at(0);
            const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
            return !digit && c != m_decimalSeparator;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TChartPane::btnSaveClick() {
    QString fileName = m_pictureFileChooser(this);
    if (fileName.isEmpty()) {
        return;
    }
    if (QFileInfo(fileName).suffix().isEmpty()) {
        fileName += QStringLiteral(".bmp");
    }
    savePicture(fileName);
}

bool TChartPane::savePicture(const QString& fileName) {
    const QImage picture = m_chartView->renderImage();
    // Written beside the target and renamed over it only when complete: a failure
    // leaves no partial file (and an existing file untouched).
    QSaveFile file(fileName);
    bool saved = file.open(QIODevice::WriteOnly);
    saved = saved && picture.save(&file, "BMP");
    saved = saved && file.commit();
    if (!saved) {
        const QString reason = file.errorString();
        file.cancelWriting();
        showSystemError(this, QStringLiteral("Cannot create file \"%1\". %2")
                                  .arg(QFileInfo(fileName).absoluteFilePath(), reason));
    }
    return saved;
}
