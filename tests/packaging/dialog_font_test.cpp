// The settings dialog on a system that has only the fonts of a clean Debian
// system (DejaVu, which fontconfig itself pulls in) and those of the package's
// font dependency: every label's own font has a glyph for each of its characters.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QRawFont>
#include <filesystem>
#include <sstream>

#include "frontend/dialog/quorin05_p.h"
#include "frontend/ui/toolkit.h"
#include "platform/shared_names.h"
#include "tests/support/captured_run.h"
#include "tests/support/temporary_folder.h"

using namespace veyora::frontend;

namespace {

// Links the font files the Debian package installed into `folder`; how many.
int LinkFontsOfPackage(const std::string& package, const std::string& folder) {
  const testsupport::CapturedRun listing = testsupport::RunToEnd("dpkg-query", {"-L", package});
  std::istringstream files(listing.output);
  int linked = 0;
  for (std::string file; std::getline(files, file);) {
    const std::string extension = std::filesystem::path(file).extension();
    if (extension != ".ttf" && extension != ".otf" && extension != ".ttc") continue;
    const std::string link = folder + "/" + std::filesystem::path(file).filename().string();
    if (symlink(file.c_str(), link.c_str()) == 0) ++linked;
  }
  return linked;
}

TEST(DialogFont, EveryLabelHasItsGlyphsWithOnlyTheFontsThePackageBrings) {
  testsupport::TemporaryFolder folder;
  const std::string fonts = folder.File("fonts");
  std::filesystem::create_directory(fonts);
  ASSERT_GT(LinkFontsOfPackage("fonts-dejavu-core", fonts), 0);
  ASSERT_GT(LinkFontsOfPackage(VEYORA_JAPANESE_FONT_PACKAGE, fonts), 0)
      << VEYORA_JAPANESE_FONT_PACKAGE " is not installed";
  const std::string config = folder.File("fonts.conf");
  // The system's matching rules, with only these fonts to match.
  testsupport::WriteBytes(config, "<?xml version=\"1.0\"?>\n<fontconfig>\n  <dir>" + fonts +
                                      "</dir>\n  <cachedir>" + folder.File("cache") +
                                      "</cachedir>\n  <include ignore_missing=\"yes\">"
                                      "/etc/fonts/conf.d</include>\n</fontconfig>\n");
  // Read by fontconfig when the toolkit first asks it for a font.
  setenv("FONTCONFIG_FILE", config.c_str(), 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  ui::StartToolkit();

  Settings settings;
  Quorin05_P dialog(settings, folder.File(names::kSettingsFile));
  dialog.Show();
  QApplication::processEvents();
  int japanese = 0;
  for (const QLabel* label : dialog.findChildren<QLabel*>()) {
    const QRawFont font = QRawFont::fromFont(label->font());
    for (const char32_t character : label->text().toUcs4()) {
      if (character == U' ') continue;
      if (character > 0x2000) ++japanese;
      EXPECT_TRUE(font.supportsCharacter(character))
          << label->text().toStdString() << ": U+" << std::hex << unsigned(character)
          << " missing in " << font.familyName().toStdString();
    }
  }
  EXPECT_GT(japanese, 10);
}

}  // namespace
