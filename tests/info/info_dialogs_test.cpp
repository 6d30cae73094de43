#include "app/Splash.h"
#include "base/stored_pictures.h"
#include "info/Vimoabou.h"
#include "info/Vimowarr.h"
#include "info/help_browser.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

namespace brisomar {
namespace {

TEST(InformationDialogs, OkClosesThem) {
    TVimoAboutDlg about(nullptr);
    TVimoWarrDlg warr(nullptr);
    for (QDialog* dialog : std::initializer_list<QDialog*>{&about, &warr}) {
        QPushButton* ok = dialog == &about ? about.OKBtn : warr.OKBtn;
        QTimer::singleShot(0, ok, &QPushButton::click);
        EXPECT_EQ(dialog->exec(), QDialog::Accepted);
        EXPECT_FALSE(dialog->isVisible());
    }
}

TEST(Splash, ShowsOurPictureInALoweredPanel) {
    TSplashForm splash;
    EXPECT_EQ(splash.size(), QSize(387, 259));
    const auto* panel = splash.findChild<QLabel*>();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(panel->pixmap().size(), QSize(383, 255));
}

TEST(StoredPictures, AreShownWithThePixelsQtsOwnReaderGives) {
    for (const char* path : {splashPicturePath, programIconPath, placeholderPicturePath}) {
        const QImage decoded(QString::fromLatin1(path));
        ASSERT_FALSE(decoded.isNull()) << path;
        EXPECT_EQ(storedPicture(path).convertToFormat(QImage::Format_ARGB32),
                  decoded.convertToFormat(QImage::Format_ARGB32))
            << path;
    }
    EXPECT_TRUE(storedPicture(":/help/index.html").isNull());
    EXPECT_TRUE(storedPicture(":/images/none.bmp").isNull());
}

TEST(StoredPictures, TheProgramIconIsTheApplicationsAndTheAboutDialogs) {
    // A pixmap holds its pixels premultiplied by their alpha.
    const QImage icon = QApplication::windowIcon().pixmap(programIconSide).toImage();
    EXPECT_EQ(icon.convertToFormat(QImage::Format_ARGB32_Premultiplied),
              storedPicture(programIconPath).convertToFormat(QImage::Format_ARGB32_Premultiplied));
    TVimoAboutDlg about(nullptr);
    bool shown = false;
    for (const QLabel* label : about.findChildren<QLabel*>())
        shown = shown || label->pixmap().toImage() == icon;
    EXPECT_TRUE(shown);
}

TEST(HelpPages, EveryContextTheWindowsUseHasItsOwnPage) {
    for (const int context : {1, 2, 3, 4, 5, 6, 8, 12}) {
        const QUrl url = helpPageUrl(context);
        EXPECT_EQ(url.fileName(), QStringLiteral("context-%1.html").arg(context));
        QFile page(QStringLiteral(":/help/context-%1.html").arg(context));
        ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << context;
        EXPECT_TRUE(page.readAll().contains("<h1>")) << context;
    }
    EXPECT_EQ(helpPageUrl(7).fileName(), "index.html");
}

TEST(HelpPages, EveryPageTheContentsLinkIsStored) {
    QFile index(QStringLiteral(":/help/index.html"));
    ASSERT_TRUE(index.open(QIODevice::ReadOnly));
    const QString contents = QString::fromUtf8(index.readAll());
    QStringList linked;
    const QRegularExpression link(QStringLiteral("href=\"([^\"]+\\.html)\""));
    for (const QRegularExpressionMatch& match : link.globalMatch(contents))
        linked << match.captured(1);
    EXPECT_TRUE(linked.contains(QStringLiteral("import.html")));
    EXPECT_TRUE(linked.contains(QStringLiteral("kept.html")));
    EXPECT_TRUE(linked.contains(QStringLiteral("output.html")));
    for (const QString& name : linked) {
        QFile page(QStringLiteral(":/help/") + name);
        ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << name.toStdString();
        EXPECT_TRUE(page.readAll().contains("<h1>")) << name.toStdString();
    }
}

TEST(HelpPages, TheBrowserOpensAtTheContextAsked) {
    HelpBrowser help;
    EXPECT_EQ(help.window(), nullptr);
    help.showContext(4);
    const HelpWindow* window = help.window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->browser()->source().fileName(), "context-4.html");
    EXPECT_TRUE(window->browser()->toPlainText().contains("dialout"));
    help.showContext(99);
    EXPECT_EQ(help.window(), window); // one window, reused
    EXPECT_EQ(window->browser()->source().fileName(), "index.html");
}

} // namespace
} // namespace brisomar
