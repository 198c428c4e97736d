// The settings dialog driven on the toolkit's off-screen platform, as a user
// drives it: clicks on its marks, texts and buttons, text typed in the track box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "frontend/dialog/quorin05_p.h"
#include "frontend/ui/toolkit.h"
#include "frontend/ui/twips.h"
#include "platform/shared_names.h"
#include "tests/support/temporary_folder.h"

using namespace veyora::frontend;

namespace {

using testsupport::ReadBytes;

// The pointer comes over the widget, then the button goes down and up.
void Click(QWidget* widget, Qt::MouseButton button = Qt::LeftButton) {
  const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
  for (QEvent::Type type :
       {QEvent::MouseMove, QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    const Qt::MouseButton changed = type == QEvent::MouseMove ? Qt::NoButton : button;
    QMouseEvent event(type, at, widget->mapToGlobal(at), changed,
                      type == QEvent::MouseButtonPress ? button : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
  }
}

// Clicks the button and answers the message box it shows with OK; gives the box's
// caption and text.
QString ClickForMessage(QWidget* button) {
  QString message;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      message = box->windowTitle() + ": " + box->text();
      box->accept();
    }
  });
  poll.start(10);
  Click(button);
  return message;
}

class SettingsDialogTest : public ::testing::Test {
 protected:
  // Opens the dialog over these settings, as /c does.
  Quorin05_P& Open(Settings settings) {
    settings_ = settings;
    dialog_.emplace(settings_, file_);
    dialog_->Show();
    QApplication::processEvents();
    return *dialog_;
  }
  bool Marked(ui::Image* mark) const {
    return mark->Picture().toImage() == dialog_->Img_Ra(1)->Picture().toImage();
  }
  // Saves with "設定" and reads the settings back from the file written.
  Settings Save() {
    Click(&dialog_->Cmd_Set);
    return Settings_Load(file_);
  }

  testsupport::TemporaryFolder folder_;
  std::string file_ = folder_.File(names::kSettingsFile);
  Settings settings_;
  std::optional<Quorin05_P> dialog_;
};

TEST_F(SettingsDialogTest, OpensOnTheStoredChoiceAndStoresWhatTheTrackBoxHolds) {
  Quorin05_P& dialog = Open({1, 3, ""});
  EXPECT_TRUE(Marked(dialog.Img_BGM(1)));
  EXPECT_FALSE(Marked(dialog.Img_BGM(0)));
  EXPECT_TRUE(dialog.BGM_Repeat.isEnabled());
  EXPECT_EQ(dialog.BGM_Repeat.Text(), "3");
  EXPECT_EQ(dialog.BGM_Repeat.count(), 31);
  EXPECT_FALSE(dialog.Cmd_BGM.Enabled());
  // Centred across, at one third of the free height (give or take the frame,
  // which the toolkit learns of only once the window is shown).
  const QSize screen = ui::ScreenSizeTwips() / ui::kTwipsPerPixel;
  const QRect outer = dialog.frameGeometry();
  EXPECT_NEAR(outer.left() + outer.width() / 2.0, screen.width() / 2.0, 8);
  EXPECT_NEAR(outer.top(), (screen.height() - outer.height()) / 3.0, 8);
  EXPECT_EQ(dialog.width(), ui::TwipsToPixels(7185));
  EXPECT_EQ(dialog.height(), ui::TwipsToPixels(3780));

  struct Typed {
    std::function<void(ui::ComboBox&)> enter;
    int16_t stored;
  };
  for (const Typed& typed :
       std::vector<Typed>{{[](ui::ComboBox& box) { box.SetText("abc"); }, 0},
                          {[](ui::ComboBox& box) { box.setCurrentIndex(12); }, 12},
                          {[](ui::ComboBox& box) { box.SetText("2.5"); }, 2},
                          {[](ui::ComboBox& box) { box.SetText("3.5"); }, 4},
                          {[](ui::ComboBox& box) { box.SetText("40000"); }, 0},
                          {[](ui::ComboBox&) {}, 0}}) {  // opened with track 0: an empty box
    typed.enter(Open({1, 0, ""}).BGM_Repeat);
    EXPECT_EQ(Save().BGM_Track, typed.stored);
  }
  EXPECT_EQ(Open({1, 0, ""}).BGM_Repeat.Text(), "");
  // A stored mode outside 0 to 2 marks nothing and enables nothing.
  Quorin05_P& strange = Open({7, 0, ""});
  for (int index : {0, 1, 2}) EXPECT_FALSE(Marked(strange.Img_BGM(index)));
  EXPECT_FALSE(strange.BGM_Repeat.isEnabled());
}

TEST_F(SettingsDialogTest, AnyButtonOnAMarkOrItsTextChoosesThatRow) {
  Quorin05_P& dialog = Open({1, 3, ""});
  Click(dialog.lbl_BGM(0), Qt::RightButton);  // "無し"
  EXPECT_TRUE(Marked(dialog.Img_BGM(0)));
  EXPECT_FALSE(Marked(dialog.Img_BGM(1)));
  EXPECT_FALSE(dialog.BGM_Repeat.isEnabled());
  EXPECT_FALSE(dialog.Cmd_BGM.Enabled());
  Click(dialog.Img_BGM(2));  // the mark beside "MP3、WAV"
  EXPECT_TRUE(dialog.Cmd_BGM.Enabled());
  // Mode 2 without a file is written as it stands.
  Click(&dialog.Cmd_Set);
  EXPECT_EQ(ReadBytes(file_),
            "[Section]\r\nBGM\x8B\xE6\x95\xAA= 2\r\nBGM\xD8\xCB\xDF\xB0\xC4= "
            "3\r\nBGM\xCC\xA7\xB2\xD9=\r\n");
}

TEST_F(SettingsDialogTest, AFileChosenIsKeptWholeAndOnlySetWritesIt) {
  const std::string song = folder_.File("曲 é " + std::string(240, 'a') + ".Mp3");
  testsupport::WriteBytes(song, "ID3");
  Quorin05_P& dialog = Open({2, 0, ""});
  // The open-file dialog offers the song whatever the case of its ending.
  QTimer::singleShot(0, [&] {
    auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->windowTitle(), QString::fromUtf8("ﾌｧｲﾙを開く"));
    chooser->setDirectory(QString::fromStdString(folder_.Path()));
    chooser->selectFile(QString::fromStdString(song));
    QMetaObject::invokeMethod(chooser, "accept");
  });
  Click(&dialog.Cmd_BGM);
  EXPECT_EQ(settings_.BGM_File, song);
  EXPECT_EQ(dialog.lbl_Fname.toolTip().toStdString(), song);

  Click(&dialog.Cmd_Can);
  EXPECT_FALSE(std::filesystem::exists(file_));
  Open(settings_);
  EXPECT_EQ(Save(), (Settings{2, 0, song}));
}

TEST_F(SettingsDialogTest, OpensWithTheFocusOnThePanelWhateverTheChoice) {
  // Not on a button, which would show its focused face, nor in the track box.
  for (int16_t mode : {0, 1, 2}) EXPECT_EQ(Open({mode, 3, ""}).focusWidget(), &dialog_->Pic_C_0);
}

TEST_F(SettingsDialogTest, ANameWithALineBreakIsRefusedAndThePreviousFileKept) {
  const std::string previous = folder_.File("previous.wav"),
                    broken = folder_.File("two\nlines.wav");
  testsupport::WriteBytes(broken, "RIFF");
  Quorin05_P& dialog = Open({2, 0, previous});
  QTimer::singleShot(0, [&] {
    auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(chooser, nullptr);
    chooser->selectFile(QString::fromStdString(broken));
    QMetaObject::invokeMethod(chooser, "accept");
  });
  EXPECT_EQ(ClickForMessage(&dialog.Cmd_BGM),
            QString::fromUtf8("%1: ﾌｧｲﾙ名に改行が含まれているため、%2 に保存できません！")
                .arg(names::kProgramTitle, names::kSettingsFile));
  EXPECT_EQ(settings_.BGM_File, previous);
  EXPECT_EQ(dialog.lbl_Fname.toolTip().toStdString(), previous);
}

TEST_F(SettingsDialogTest, ASaveThatFailsSaysSoAndKeepsTheDialogOpenWithTheChoices) {
  const std::string readOnly = folder_.File("read-only.ini");
  testsupport::WriteBytes(readOnly, "[Section]\r\n");
  std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read);
  testsupport::WriteBytes(folder_.File("file"), "");
  // A read-only file, and a folder that cannot be made where a file stands.
  for (const std::string& file : {readOnly, folder_.File("file/") + names::kSettingsFile}) {
    file_ = file;
    Quorin05_P& dialog = Open({0, 0, ""});
    Click(dialog.lbl_BGM(1));  // "音楽CD"
    dialog.BGM_Repeat.SetText("5");
    EXPECT_EQ(ClickForMessage(&dialog.Cmd_Set), QString::fromUtf8("%1: %2 に設定を保存できません！")
                                                    .arg(names::kProgramTitle, file.c_str()));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(Marked(dialog.Img_BGM(1)));
    EXPECT_EQ(dialog.BGM_Repeat.Text(), "5");
  }
  EXPECT_EQ(ReadBytes(readOnly), "[Section]\r\n");
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  ui::StartToolkit();
  return RUN_ALL_TESTS();
}
