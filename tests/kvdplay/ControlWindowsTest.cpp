// The control's Qt windows, offscreen: the property page's edit box and buttons, and the About
// box with its link.
#include "kvdplay/AboutBox.h"
#include "kvdplay/Control.h"
#include "kvdplay/PropertyPage.h"
#include "kvdplay/ui/QtControlUi.h"
#include "tests/kvdplay/ControlDoubles.h"
#include "tests/support/ComHelpers.h"
#include "tests/support/QtApp.h"
#include "tests/support/TestDoubles.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>

using namespace kvdplay;
using testing_support::Bstr;
using testing_support::guidOf;
using testing_support::newControl;
using testing_support::RecordingPageSite;
using testing_support::RecordingShell;
using testing_support::Ref;

namespace {

struct QtWindows {
    ControlUi saved = controlUi();
    RecordingShell shell;
    QtWindows()
    {
        testing_support::qtApp();
        ui::installQtControlUi("/opt/tessarine");
        controlUi().shell = &shell;
    }
    ~QtWindows() { controlUi() = saved; }
};

} // namespace

TEST(QtPropertyPage, EditBoxHoldsAtMost36CharactersAndApplyStoresThem)
{
    QtWindows windows;
    QWidget frame;
    auto control = newControl(u"6b29fc40-ca47-1067-b31d-00dd010662da");
    RecordingPageSite site;
    Ref<IPropertyPage> page;
    ASSERT_EQ(PropertyPage::create(nullptr, IID_IPropertyPage, page.outVoid()), S_OK);
    page->SetPageSite(&site);
    IUnknown* objects[] = {control.get()};
    page->SetObjects(1, objects);
    RECT place{0, 0, 375, 179};
    ASSERT_EQ(page->Activate(&frame, &place, TRUE_), S_OK);

    auto* edit = frame.findChild<QLineEdit*>(QStringLiteral("guidSession"));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), QStringLiteral("6b29fc40-ca47-1067-b31d-00dd010662da"));
    EXPECT_EQ(edit->maxLength(), 36);
    EXPECT_EQ(page->IsPageDirty(), S_FALSE);

    edit->clear();
    edit->insert(QStringLiteral("6B29FC40-CA47-1067-B31D-00DD010662DAXXXX"));
    EXPECT_EQ(edit->text().size(), 36);
    EXPECT_EQ(page->IsPageDirty(), S_OK);
    EXPECT_EQ(site.statusChanges.size(), 1u);
    ASSERT_EQ(page->Apply(), S_OK);
    EXPECT_EQ(guidOf(control.get()), u"6B29FC40-CA47-1067-B31D-00DD010662DA");

    edit->clear();
    EXPECT_EQ(page->Apply(), E_FAIL);

    frame.findChild<QPushButton*>(QStringLiteral("newGuid"))->click();
    EXPECT_EQ(edit->text().size(), 36);
    EXPECT_EQ(edit->text(), edit->text().toLower());

    page->Deactivate();
    EXPECT_EQ(frame.findChild<QLineEdit*>(QStringLiteral("guidSession")), nullptr);
    page->SetObjects(0, nullptr);
    page->SetPageSite(nullptr);
}

TEST(QtAboutBox, ShowsTitleVersionAndOpensTheLinkStayingOpen)
{
    QtWindows windows;
    const AboutContent content = aboutContent(FileVersion{true, {1, 0, 0, 4}, false, false});
    std::unique_ptr<QDialog> box(ui::makeAboutDialog(content, &windows.shell, nullptr));
    EXPECT_EQ(box->windowTitle(), QStringLiteral("About kvPlay"));
    EXPECT_EQ(box->findChild<QLabel*>(QStringLiteral("version"))->text(),
              QStringLiteral("kvPlay Control, Version 1.0.4"));
    auto* address = box->findChild<QLineEdit*>(QStringLiteral("webAddress"));
    EXPECT_TRUE(address->isReadOnly());
    box->show();
    box->findChild<QPushButton*>(QStringLiteral("goWeb"))->click();
    EXPECT_EQ(windows.shell.opened, std::vector<std::string>{kWebAddress});
    EXPECT_TRUE(box->isVisible());
    box->findChild<QPushButton*>(QStringLiteral("ok"))->click();
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(box->result(), QDialog::Accepted);
}

TEST(QtAboutBox, ControlShowsItModallyAndReturnsWhenClosed)
{
    QtWindows windows;
    auto control = newControl();
    QString seenTitle;
    QTimer::singleShot(0, [&seenTitle] {
        if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            seenTitle = box->windowTitle();
            box->accept();
        }
    });
    EXPECT_EQ(control->AboutBox(), S_OK);
    EXPECT_EQ(seenTitle, QStringLiteral("About kvPlay"));
}

TEST(QtControlIcon, IconOneHundredOneIsAPictureAndNoOtherIconIs)
{
    QtWindows windows;
    const auto icon = controlUi().loadIcon(101);
    ASSERT_TRUE(icon);
    EXPECT_GT(icon->width, 0);
    EXPECT_EQ(icon->pixels.size(), static_cast<std::size_t>(icon->width) * static_cast<std::size_t>(icon->height));
    EXPECT_TRUE(std::any_of(icon->pixels.begin(), icon->pixels.end(), [](std::uint32_t argb) { return argb >> 24; }));
    EXPECT_FALSE(controlUi().loadIcon(102));
}
