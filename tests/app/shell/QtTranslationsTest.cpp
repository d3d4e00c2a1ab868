// Qt's own dialog texts speak Chinese once the program installs the translation.
#include "app/shell/QtTranslations.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace qj {
namespace {

TEST(QtTranslations, StandardButtonsSpeakChinese) {
    ASSERT_TRUE(InstallQtChineseTexts());
    QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Yes |
                         QDialogButtonBox::No);
    EXPECT_EQ(box.button(QDialogButtonBox::Ok)->text(), QStringLiteral("确定"));
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
    EXPECT_TRUE(box.button(QDialogButtonBox::Yes)->text().startsWith(QStringLiteral("是")));
    EXPECT_TRUE(box.button(QDialogButtonBox::No)->text().startsWith(QStringLiteral("否")));
}

} // namespace
} // namespace qj
