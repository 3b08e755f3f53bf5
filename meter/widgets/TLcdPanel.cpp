#include "TLcdPanel.h"

#include "LcdFonts.h"
#include "LcdPictures.h"
#include "TCEdit.h"
#include "TLcdBar.h"

#include <QEvent>
#include <QLabel>
#include <QTimer>

namespace {

// Sky blue of the value boxes.
const QColor valueBoxColour(166, 202, 240);

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int x, int y,
                  const QFont& font, bool visible, int fixedWidth = 0,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    label->setAlignment(align);
    label->setAttribute(Qt::WA_TranslucentBackground);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(pal);
    label->move(x, y);
    if (fixedWidth > 0) {
        label->resize(fixedWidth, label->sizeHint().height());
    } else {
        label->adjustSize();
    }
    label->setVisible(visible);
    return label;
}

QLabel* makePicture(QWidget* parent, const char* name, const QPixmap& pixmap, int x, int y,
                    bool visible) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setPixmap(pixmap);
    label->setGeometry(x, y, pixmap.width(), pixmap.height());
    label->setVisible(visible);
    return label;
}

TCEdit* makeValueBox(QWidget* parent, const char* name, const QRect& bounds, int fontPixels) {
    auto* box = new TCEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(bounds);
    box->setAlignmentMode(TCEdit::taRightJustify);
    box->setReadOnly(true);
    box->setFrame(false);
    box->setTextMargins(0, 0, 0, 0);
    box->setFont(lcdSegmentFont(fontPixels, bounds.height()));
    box->setCursor(Qt::ArrowCursor);
    QPalette pal = box->palette();
    pal.setColor(QPalette::Base, valueBoxColour);
    pal.setColor(QPalette::Text, Qt::black);
    box->setPalette(pal);
    box->setAutoFillBackground(true);
    return box;
}

} // namespace

TLcdPanel::TLcdPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("pnlLcd"));
    setFixedSize(453, 245);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    createElements();
    createBarGraph();
}

void TLcdPanel::createElements() {
    const QFont bold12 = lcdLabelFont(12);
    CONokN = makePicture(this, "CONokN", lcdConnectionPicture(false), 8, 6, true);
    CONok = makePicture(this, "CONok", lcdConnectionPicture(true), 8, 6, false);
    lcdHold = makeLabel(this, "lcdHold", QStringLiteral("HOLD"), 56, 17, bold12, false);
    lcdAuto = makeLabel(this, "lcdAuto", QStringLiteral("Auto"), 184, 17, bold12, false);
    lcdLCR = makeLabel(this, "lcdLCR", QStringLiteral("LCR"), 216, 17, bold12, false);
    lcdRel = makeLabel(this, "lcdRel", QStringLiteral("\u0394"), 336, 12, lcdLabelFont(21, false),
                       false);
    lcdMMode = makeLabel(this, "lcdMMode", QString(), 16, 49, bold12, true, 33,
                         Qt::AlignRight | Qt::AlignVCenter);
    lcdMDisp = makeValueBox(this, "lcdMDisp", QRect(56, 41, 297, 73), 71);
    lcdMUnit = makeLabel(this, "lcdMUnit", QString(), 360, 97, bold12, true);
    lcdSorting = makeLabel(this, "lcdSorting", QStringLiteral("Sorting"), 24, 129, bold12, false);
    lcdTol = makeLabel(this, "lcdTol", QStringLiteral("Tol"), 24, 145, bold12, false);
    lcdJianhao = makeLabel(this, "lcdJianhao", QStringLiteral("+"), 48, 144, bold12, false);
    lcdJiahao = makeLabel(this, "lcdJiahao", QStringLiteral("-"), 49, 148, bold12, false);
    lcdSortp = makeLabel(this, "lcdSortp", QStringLiteral("0.25%"), 57, 145, bold12, false);
    lcdSMod = makeLabel(this, "lcdSMod", QString(), 152, 129, bold12, true, 40,
                        Qt::AlignRight | Qt::AlignVCenter);
    lcdSDisp = makeValueBox(this, "lcdSDisp", QRect(200, 129, 153, 41), 37);
    lcdSUnit = makeLabel(this, "lcdSUnit", QString(), 360, 129, bold12, true);
    // The gauge bars use the window's own font.
    const QFont gaugeFont = font();
    lcdBat3 = makeLabel(this, "lcdBat3", QStringLiteral("__"), 18, 162, gaugeFont, false);
    lcdBat2 = makeLabel(this, "lcdBat2", QStringLiteral("__"), 18, 166, gaugeFont, false);
    lcdBat1 = makeLabel(this, "lcdBat1", QStringLiteral("__"), 18, 170, gaugeFont, false);
    lcdRS232 = makeLabel(this, "lcdRS232", QStringLiteral("USB"), 40, 169, bold12, false);
    lcdBat0 = makePicture(this, "lcdBat0", lcdBatteryOutline(), 16, 184, true);
    lcdFREQ = makeLabel(this, "lcdFREQ", QStringLiteral("100 Hz"), 40, 185, bold12, false, 49);

    for (TCEdit* box : {lcdMDisp, lcdSDisp}) {
        box->installEventFilter(this);
    }
}

void TLcdPanel::createBarGraph() {
    pnlBar = new QWidget(this);
    pnlBar->setObjectName(QStringLiteral("pnlBar"));
    pnlBar->setGeometry(3, 202, 441, 32);
    pnlBar->setAutoFillBackground(true);
    QPalette pal = pnlBar->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pnlBar->setPalette(pal);

    lcdBar = new TLcdBar(pnlBar);
    lcdBar->setObjectName(QStringLiteral("lcdBar"));
    lcdBar->setGeometry(24, 9, 393, 10);
    lcdBar->setPosition(0);

    const QFont scaleFont = lcdLabelFont(11);
    const struct {
        const char* text;
        int left;
    } scale[] = {{"0", 21}, {"20", 92}, {"40", 168}, {"60", 245}, {"80", 321}, {"100%", 398}};
    for (const auto& mark : scale) {
        const QByteArray name = QByteArray("lblScale") + mark.text;
        makeLabel(pnlBar, name.constData(), QString::fromLatin1(mark.text), mark.left, 20,
                  scaleFont, true);
    }
}

void TLcdPanel::flipCommIndicator() {
    CONok->setVisible(!CONok->isVisibleTo(this));
    CONokN->setVisible(!CONokN->isVisibleTo(this));
}

void TLcdPanel::setUsbShown(bool shown) {
    lcdRS232->setVisible(shown);
}

void TLcdPanel::showPrimaryText(const QString& text) {
    lcdMDisp->setText(text);
}

bool TLcdPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (watched == lcdMDisp) {
            lcdMDispEnter();
        } else if (watched == lcdSDisp) {
            lcdSDispEnter();
        }
    }
    return QFrame::eventFilter(watched, event);
}

void TLcdPanel::lcdMDispEnter() {
    moveFocusOn(lcdMDisp);
}

void TLcdPanel::lcdSDispEnter() {
    moveFocusOn(lcdSDisp);
}

// The value boxes never hold the caret: the focus goes on to the next control that
// takes it, once the box's own focus-in handling has finished.
void TLcdPanel::moveFocusOn(QWidget* box) {
    QTimer::singleShot(0, box, [this, box] {
        if (!box->hasFocus()) {
            return;
        }
        for (QWidget* next = box->nextInFocusChain(); next != nullptr && next != box;
             next = next->nextInFocusChain()) {
            if ((next->focusPolicy() & Qt::TabFocus) != 0 && next->isEnabled() &&
                next->isVisible() && next != box->window() && next != lcdMDisp &&
                next != lcdSDisp) {
                next->setFocus(Qt::TabFocusReason);
                return;
            }
        }
        box->clearFocus();
    });
}
