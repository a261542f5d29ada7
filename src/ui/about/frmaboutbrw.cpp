#include "ui/about/frmaboutbrw.h"

#include "platform/appinfo.h"
#include "platform/defaulthandler.h"
#include "platform/platform.h"
#include "ui/about/aboutartwork.h"
#include "ui/desktop/centring.h"
#include "ui/desktop/fonts.h"
#include "ui/desktop/picturebutton.h"
#include "ui/desktop/twips.h"

#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

// Every position and size below is in twips, converted by twips::place alone.

namespace {

constexpr int kClientWidth = 4092;
constexpr int kClientHeight = 3147;

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QFont& font)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1StringView(name));
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    return label;
}

template <typename Button>
Button* makeButton(Button* button, const char* name, const QFont& font)
{
    button->setObjectName(QLatin1StringView(name));
    button->setFont(font);
    return button;
}

// A thin sunken line, across or down.
void addLine(QWidget* parent, const char* name, QFrame::Shape shape, int left, int top, int width,
             int height)
{
    auto* line = new QFrame(parent);
    line->setObjectName(QLatin1StringView(name));
    line->setFrameShape(shape);
    line->setFrameShadow(QFrame::Sunken);
    twips::place(line, left, top, width, height);
}

} // namespace

FrmAboutbrw::FrmAboutbrw(Platform& platform, QWidget* owner, const QString& mameInUse)
    : QDialog(owner)
    , m_desktop(platform.desktop)
    , m_programDir(platform.programDir)
{
    setObjectName(QStringLiteral("FrmAboutbrw"));
    setWindowTitle(QStringLiteral("About..."));
    // An icon of its own that is empty: a dialog would otherwise show its owner's.
    setWindowIcon(QIcon());
    setFont(tahoma(7.8));
    setFixedSize(twips::toPixelsX(this, kClientWidth), twips::toPixelsY(this, kClientHeight));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap::fromImage(aboutartwork::logoImage()));
    Image1->setScaledContents(true);
    twips::place(Image1, 120, 120, 3840, 768);

    // Over the logo's lower right corner, light on its dark sky.
    Label1 = makeLabel(this, "Label1", u'v' + programVersionText(), tahoma(7.8, true));
    Label1->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    QPalette onLogo = Label1->palette();
    onLogo.setColor(QPalette::WindowText, QColor(0xFF, 0xE8, 0xA8));
    Label1->setPalette(onLogo);
    twips::place(Label1, 2400, 600, 1500, 225);

    addLine(this, "Line1", QFrame::HLine, 120, 960, 3852, 30);

    Command3 = makeButton(
        new PictureButton(QStringLiteral("[brwhome]"), aboutartwork::homeButtonPicture(), this),
        "Command3", tahoma(7.8));
    Command3->setToolTip(homePageUrl().toString());
    twips::place(Command3, 120, 1050, 1290, 705);

    addLine(this, "Line3", QFrame::VLine, 1485, 1050, 30, 705);

    Label2 = makeLabel(this, "Label2", QStringLiteral("Made by Brimwork"), tahoma(7.8, true));
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setWordWrap(true);
    twips::place(Label2, 1590, 1050, 1290, 705);

    QFont aside = tahoma(7.8);
    aside.setItalic(true);
    RozuZaduLabel = makeLabel(this, "RozuZaduLabel", QStringLiteral("Insert coin!"), aside);
    RozuZaduLabel->setAlignment(Qt::AlignCenter);
    RozuZaduLabel->setWordWrap(true);
    twips::place(RozuZaduLabel, 2880, 1050, 1092, 705);

    Command4 =
        makeButton(new QPushButton(QStringLiteral("send e-mail"), this), "Command4", tahoma(7.8));
    Command4->setToolTip(mailUrl().path());
    twips::place(Command4, 120, 1830, 1290, 360);

    Command2 = makeButton(new QPushButton(QStringLiteral("Read documentation"), this), "Command2",
                          tahoma(10.2, true));
    Command2->setToolTip(documentationUrl(m_programDir).toLocalFile());
    twips::place(Command2, 1485, 1830, 2487, 360);

    // Which MAME the program runs; a long path is shortened in its middle, whole in the tip.
    const QString mame = mameInUse.isEmpty() ? QStringLiteral("No MAME build is named.")
                                             : QStringLiteral("MAME in use: %1.").arg(mameInUse);
    MameLabel = makeLabel(this, "MameLabel", mame, tahoma(7.8));
    twips::place(MameLabel, 120, 2265, 3852, 225);
    MameLabel->setText(
        MameLabel->fontMetrics().elidedText(mame, Qt::ElideMiddle, MameLabel->width()));
    MameLabel->setToolTip(mame);

    addLine(this, "Line2", QFrame::HLine, 120, 2535, 3852, 30);

    Command1 =
        makeButton(new QPushButton(QStringLiteral("Close"), this), "Command1", tahoma(10.2, true));
    twips::place(Command1, 120, 2640, 3852, 390);
    // Enter closes, as does Escape.
    Command1->setDefault(true);
    Command1->setFocus();

    connect(Command1, &QPushButton::clicked, this, &FrmAboutbrw::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FrmAboutbrw::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &FrmAboutbrw::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &FrmAboutbrw::Command4_Click);
}

FrmAboutbrw::~FrmAboutbrw() = default;

void FrmAboutbrw::Command1_Click()
{
    reject();
}

void FrmAboutbrw::Command2_Click()
{
    const QUrl guide = documentationUrl(m_programDir);
    openAndClose(guide, u"the documentation " + QDir::toNativeSeparators(guide.toLocalFile()));
}

void FrmAboutbrw::Command3_Click()
{
    openAndClose(homePageUrl(), u"the home page " + homePageUrl().toString());
}

void FrmAboutbrw::Command4_Click()
{
    openAndClose(mailUrl(), u"an e-mail to " + mailUrl().path());
}

void FrmAboutbrw::openAndClose(const QUrl& target, const QString& what)
{
    // Whether a handler took it or not, the dialog has done its part; what no handler took is
    // told once the dialog is gone, since a desktop without xdg-open says nothing itself.
    m_notOpened = m_desktop.open(target) ? QString() : what;
    accept();
}

void FrmAboutbrw::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    // Over the owner once it is on screen (Qt has placed it so). Before that, at the version
    // notice during start-up, the owner has no place yet: the middle of its screen, where
    // the main window will appear.
    QWidget* owner = parentWidget();
    if (owner && owner->isVisible())
        return;
    centreOnScreen(*this, owner ? owner->screen() : nullptr);
}
