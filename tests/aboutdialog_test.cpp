#include "aboutdialog.h"

#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

TEST(AboutDialogTest, OnlyTheOkButtonClosesIt)
{
    const std::pair<const char *, Qt::Key> closing[] = {
        {"Return", Qt::Key_Return}, {"keypad Enter", Qt::Key_Enter}, {"Space", Qt::Key_Space}};
    for (const auto &[name, key] : closing) {
        SCOPED_TRACE(name);
        AboutDialog dialog(nullptr);
        dialog.show();
        ASSERT_NE(dialog.focusWidget(), nullptr);
        EXPECT_EQ(dialog.focusWidget()->objectName(), QStringLiteral("okButton"));

        QTest::keyClick(dialog.focusWidget(), Qt::Key_Escape);
        EXPECT_FALSE(dialog.close());
        EXPECT_TRUE(dialog.isVisible());
        QTest::keyClick(dialog.focusWidget(), key);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
}

TEST(AboutDialogTest, ShowsIconAndUnclippedTextsWithoutCloseBox)
{
    AboutDialog dialog(nullptr);
    dialog.show();
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);

    const auto *icon = dialog.findChild<QLabel *>(QStringLiteral("aboutIcon"));
    ASSERT_NE(icon, nullptr);
    const QImage image = icon->pixmap().toImage();
    EXPECT_EQ(icon->pixmap().deviceIndependentSize().toSize(), QSize(32, 32));
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            opaque += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    EXPECT_GT(opaque, 0) << "the icon shows no pixels";

    for (const QLabel *label : dialog.findChildren<QLabel *>()) {
        SCOPED_TRACE(label->text().toStdString());
        EXPECT_GE(label->width(), QFontMetrics(label->font()).horizontalAdvance(label->text()));
        EXPECT_TRUE(dialog.rect().contains(label->geometry()));
    }
}
