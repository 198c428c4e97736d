#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "frontend/desktop/desktop_idle_chain.h"
#include "frontend/desktop/desktop_kind.h"
#include "frontend/desktop/idle_block_rules.h"
#include "frontend/desktop/lock_sources.h"

namespace {

using namespace veyora::frontend;

TEST(DesktopKindTest, TheFirstKnownNameOfTheListCountsAndEachDesktopAsksItsOwnLockerFirst) {
  const struct {
    const char* names;
    DesktopKind kind;
    LockSource first;
  } cases[] = {
      {"GNOME", DesktopKind::Gnome, LockSource::GnomeScreenSaver},
      {"ubuntu:GNOME", DesktopKind::Gnome, LockSource::GnomeScreenSaver},
      {"KDE", DesktopKind::Kde, LockSource::FreedesktopScreenSaver},
      {"sway", DesktopKind::Other, LockSource::LogindLockedHint},
      {"X-Cinnamon", DesktopKind::Other, LockSource::LogindLockedHint},
      {"GNOMEish:KDE", DesktopKind::Kde, LockSource::FreedesktopScreenSaver},
      {"", DesktopKind::Other, LockSource::LogindLockedHint},
      {":", DesktopKind::Other, LockSource::LogindLockedHint},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DesktopFromCurrentDesktop(c.names), c.kind) << c.names;
    const std::vector<LockSource> sources = LockSourcesFor(c.kind);
    ASSERT_EQ(sources.size(), 2u) << c.names;
    EXPECT_EQ(sources.front(), c.first) << c.names;
    // logind is asked everywhere.
    EXPECT_NE(std::find(sources.begin(), sources.end(), LockSource::LogindLockedHint),
              sources.end());
  }
}

TEST(IdleBlockRulesTest, OnlyABlockNamingIdleHoldsTheIdleState) {
  const struct {
    std::vector<LogindInhibitor> inhibitors;
    bool held;
  } cases[] = {
      {{}, false},
      {{{"idle", "block"}}, true},
      {{{"sleep:idle", "block"}}, true},
      {{{"shutdown:sleep", "block"}, {"idle:handle-lid-switch", "block"}}, true},
      {{{"idle", "delay"}}, false},
      {{{"sleep", "block"}}, false},
      {{{"idleness", "block"}}, false},
      {{{"handle-idle-key", "block"}}, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HoldsIdleBlock(c.inhibitors), c.held)
        << (c.inhibitors.empty() ? "none" : c.inhibitors.back().what);
  }
  EXPECT_TRUE(NamesIdle("shutdown:idle"));
  EXPECT_FALSE(NamesIdle(""));
}

TEST(DesktopIdleChainTest, ReadsEachDesktopsSettingWithItsDefaultsAndNeverAsNone) {
  using std::chrono::seconds;
  EXPECT_EQ(GnomeIdleChain(300, true)->after, seconds(300));
  EXPECT_EQ(GnomeIdleChain(300, true)->what, "GNOME blanks the screen and locks it");
  EXPECT_EQ(GnomeIdleChain(90, false)->what, "GNOME blanks the screen");
  EXPECT_EQ(GnomeIdleChain(0, true), std::nullopt);  // "Never"
  EXPECT_EQ(GnomeIdleChain(std::nullopt, true), std::nullopt);
  EXPECT_EQ(KdeIdleChain(std::nullopt, std::nullopt)->after, seconds(300));
  EXPECT_EQ(KdeIdleChain(true, 10)->after, seconds(600));
  EXPECT_EQ(KdeIdleChain(false, 10), std::nullopt);
  EXPECT_EQ(KdeIdleChain(true, 0), std::nullopt);
  EXPECT_EQ(X11IdleChain(600)->after, seconds(600));
  EXPECT_EQ(X11IdleChain(0), std::nullopt);

  const struct {
    const char* text;
    std::optional<long long> number;
    std::optional<bool> boolean;
  } printed[] = {
      {"uint32 300\n", 300, std::nullopt},    {"300", 300, std::nullopt},
      {"int32 -1", -1, std::nullopt},         {"true\n", std::nullopt, true},
      {"false", std::nullopt, false},         {"", std::nullopt, std::nullopt},
      {"uint32", std::nullopt, std::nullopt}, {"'300'", std::nullopt, std::nullopt},
  };
  for (const auto& p : printed) {
    EXPECT_EQ(ParseGsettingsNumber(p.text), p.number) << p.text;
    EXPECT_EQ(ParseGsettingsBoolean(p.text), p.boolean) << p.text;
  }
}

}  // namespace
