// The main window's regions, top to bottom and left to right, at their start sizes.
#include "ufrmMain.h"

#include "AppIcon.h"
#include "TBevelPanel.h"
#include "TChartPane.h"
#include "TLcdPanel.h"
#include "TRecordPane.h"
#include "TSnapSplitter.h"
#include "ToolBarIcons.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int windowWidth = 940;
constexpr int windowHeight = 661;
constexpr int leftColumnWidth = 457;
constexpr int splitterWidth = 3;
constexpr int splitterMinSize = 30;

QVBoxLayout* fillingLayout(QWidget* panel) {
    auto* layout = new QVBoxLayout(panel);
    // The panel's contents margins already leave its bevels free.
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}

} // namespace

void TfrmMain::createComponents() {
    setObjectName(QStringLiteral("frmMain"));
    // The window's bitmap font is missing off Windows; of the faces set-up installs, the
    // Arial-metric one keeps the layout's texts (such as "Sampling Interval") in their
    // widths, where a wider default face would cut them.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont windowFont(QStringLiteral("MS Sans Serif"));
    windowFont.setStyleHint(QFont::SansSerif);
    windowFont.setPixelSize(11);
    setFont(windowFont);
    setWindowIcon(appIcon());
    resize(windowWidth, windowHeight);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    Panel3 = new TBevelPanel(TBevelPanel::bvRaised, TBevelPanel::bvLowered, this);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setFixedHeight(33);
    btnConnect = new QPushButton(QStringLiteral("Connection"), Panel3);
    btnConnect->setObjectName(QStringLiteral("btnConnect"));
    btnConnect->setCheckable(true);
    btnConnect->setGeometry(7, 3, 106, 24);
    cbbDevices = new QComboBox(Panel3);
    cbbDevices->setObjectName(QStringLiteral("cbbDevices"));
    cbbDevices->setGeometry(119, 5, 146, cbbDevices->sizeHint().height());
    cbbDevices->setVisible(false);
    outer->addWidget(Panel3);

    Splitter1 = new TSnapSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(splitterWidth);
    // Dragged below its minimum a side collapses.
    Splitter1->setChildrenCollapsible(true);
    outer->addWidget(Splitter1, 1);

    Panel1 = new QWidget(Splitter1);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setMinimumWidth(splitterMinSize);
    auto* leftColumn = new QVBoxLayout(Panel1);
    leftColumn->setContentsMargins(0, 0, 0, 0);
    leftColumn->setSpacing(0);

    Panel2 = new TBevelPanel(TBevelPanel::bvRaised, TBevelPanel::bvLowered, Panel1);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedHeight(249);
    // No layout: the LCD keeps its size and is cut off when the column gets narrower.
    pnlLcd = new TLcdPanel(Panel2);
    pnlLcd->move(Panel2->bevelWidth(), Panel2->bevelWidth());
    leftColumn->addWidget(Panel2);

    Panel4 = new TBevelPanel(TBevelPanel::bvNone, TBevelPanel::bvLowered, Panel1);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    recordPane = new TRecordPane(Panel4);
    fillingLayout(Panel4)->addWidget(recordPane);
    leftColumn->addWidget(Panel4, 1);

    Panel5 = new TBevelPanel(TBevelPanel::bvRaised, TBevelPanel::bvLowered, Splitter1);
    Panel5->setObjectName(QStringLiteral("Panel5"));
    Panel5->setMinimumWidth(splitterMinSize);
    chartPane = new TChartPane(Panel5);
    fillingLayout(Panel5)->addWidget(chartPane);

    Splitter1->addWidget(Panel1);
    Splitter1->addWidget(Panel5);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({leftColumnWidth, windowWidth - leftColumnWidth - splitterWidth});

    timerDisconectedUSB = new QTimer(this);
    timerDisconectedUSB->setObjectName(QStringLiteral("timerDisconectedUSB"));
    timerDisconectedUSB->setInterval(10000);

    applyToolBarPictures();
}

// Pictures of both tool bars, from one list of 16 × 16 images.
void TfrmMain::applyToolBarPictures() {
    const struct {
        QToolButton* button;
        ToolBarPicture picture;
    } pictures[] = {
        {recordPane->btnRecordNew, ToolBarPicture::Clear},
        {recordPane->btnRecordOpen, ToolBarPicture::Open},
        {recordPane->btnRecordSave, ToolBarPicture::Save},
        {recordPane->btnRecordPrint, ToolBarPicture::Print},
        {recordPane->btnRecordFly, ToolBarPicture::Detach},
        {recordPane->btnGridZoomout, ToolBarPicture::Dock},
        {chartPane->btnFirst, ToolBarPicture::First},
        {chartPane->btnPrevious, ToolBarPicture::Previous},
        {chartPane->btnNext, ToolBarPicture::Next},
        {chartPane->btnLast, ToolBarPicture::Last},
        {chartPane->btnNew, ToolBarPicture::Clear},
        {chartPane->btnSave, ToolBarPicture::SavePicture},
        {chartPane->btnFly, ToolBarPicture::Detach},
        {chartPane->btnChartZoomOut, ToolBarPicture::Dock},
    };
    for (const auto& p : pictures) {
        if (p.button != nullptr) {
            p.button->setIcon(toolBarIcon(p.picture));
        }
    }
}
