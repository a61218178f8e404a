#pragma once

#include <chrono>
#include <cstddef>
#include <initializer_list>
#include <memory>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "beyond_any_load.h"
#include "estimator/estimator.h"
#include "estimator/front_end.h"
#include "estimator/number_text.h"
#include "estimator/pair_file.h"
#include "estimator/random_pairs.h"

namespace orvanel {

inline void PrintTo(const TrialTally& tally, std::ostream* out) {
  *out << "{Total " << tally.Total << ", Hits " << tally.Hits << ", Estimate " << tally.Estimate
       << "}";
}

}  // namespace orvanel

namespace orvanel::testing {

// Yields the given draws in turn, over and over.
class ScriptedGenerator final : public RandomGenerator {
 public:
  ScriptedGenerator(std::initializer_list<float> draws) : draws_(draws) {}
  void SeedFromClock() override { ++seeds; }
  float Next() override { return draws_[next_++ % draws_.size()]; }
  // Yields these draws from now on.
  void Script(std::initializer_list<float> draws) {
    draws_ = draws;
    next_ = 0;
  }
  int seeds = 0;

 private:
  std::vector<float> draws_;
  std::size_t next_ = 0;
};

// A reproducible generator with the same 24-bit draws as the real one.
class SeededGenerator final : public RandomGenerator {
 public:
  explicit SeededGenerator(unsigned seed) : engine_(seed) {}
  void SeedFromClock() override {}
  float Next() override { return static_cast<float>(engine_() >> 8) / 16'777'216.0f; }

 private:
  std::mt19937 engine_;
};

// The status lines in the program's own English, as the window words them.
struct StatusTexts {
  std::string estimate;  // "is about 3.1414"
  std::string total;     // " based on  1000 virtual people asked"
  std::string hits;      // "and  608 guesses being relatively prime"
};

inline StatusTexts EnglishStatusTexts(const StatusFigures& figures) {
  return StatusTexts{
      "is about " + FixedFourDecimals(figures.estimate, "."),
      " based on " + NumberText(figures.total) + " virtual people asked",
      "and " + NumberText(figures.relativelyPrime) + " guesses being relatively prime",
  };
}

// Plays the window: keeps the state the estimator sets and logs every call, with
// the status lines as they would be drawn.
class RecordingFrontEnd final : public FrontEnd {
 public:
  void UpdateCaptions(const StatusFigures& figures) override {
    texts = EnglishStatusTexts(figures);
    totals.push_back(figures.total);
    ++captionUpdates;
    log.push_back("captions");
  }
  void SetProgressValue(int value) override {
    progress = value;
    log.push_back("progress " + std::to_string(value));
  }
  void SetProgressUnknown() override {
    progress = -1;
    log.push_back("progress unknown");
  }
  void SetAnalyzeFileChecked(bool checked) override {
    analyzeChecked = checked;
    log.push_back(checked ? "analyze mark set" : "analyze mark cleared");
  }
  void SetVirtualPeopleChecked(bool checked) override {
    virtualPeopleChecked = checked;
    log.push_back(checked ? "virtual mark set" : "virtual mark cleared");
  }
  void SetProgressFrameEnabled(bool enabled) override {
    frameEnabled = enabled;
    log.push_back(enabled ? "frame enabled" : "frame disabled");
  }
  void SetProgressFrameFileName(const std::string& file_name) override {
    frameCaption = "Loading " + file_name;
    log.push_back("caption " + frameCaption);
  }
  bool TrialsRunning() const override { return running; }
  void ToggleRunning() override {
    running = !running;
    log.push_back(running ? "start" : "stop");
  }
  std::optional<std::string> ChoosePairFile() override {
    log.push_back("choose");
    return nextChoice;
  }
  void OpeningPairFile(bool now) override { opening = now; }
  void FileHeldNoPair(std::int64_t bytes) override {
    log.push_back("no whole pair in " + std::to_string(bytes) + " bytes");
  }

  // State as the window would show it, at the window's start.
  StatusTexts texts{"is about", "people asked", "hits found"};
  int captionUpdates = 0;
  std::vector<std::int32_t> totals;  // of every update, in order
  int progress = 0;
  bool analyzeChecked = false;
  bool virtualPeopleChecked = true;
  bool frameEnabled = false;
  std::string frameCaption = "No file loaded";
  bool running = true;
  std::optional<std::string> nextChoice;
  bool opening = false;
  std::vector<std::string> log;
};

// Reading with all the patience a test needs: the bytes of a pair file always
// arrive before a tick goes on, however busy the machine.
inline constexpr ReadAheadPatience kPatientReading{kBeyondAnyLoad, kBeyondAnyLoad};

inline std::unique_ptr<PairFile> OpenPatiently(const std::string& utf8_name) {
  return std::make_unique<PairFile>(utf8_name, kPatientReading);
}

// An estimator wired to a recording front end and a scripted generator.
struct EstimatorRig {
  explicit EstimatorRig(std::initializer_list<float> draws = {0.25f, 0.75f},
                        PairFileOpener open_pair_file = OpenPatiently)
      : generator(draws), estimator(frontEnd, generator, std::move(open_pair_file)) {}

  // Chooses `name` as the pair file, as the window does, and looks at its open
  // until it has opened or failed (then it throws, as the window's look does).
  void Choose(const std::optional<std::string>& name) {
    frontEnd.nextChoice = name;
    estimator.AnalyzeFile();
    while (estimator.OpeningFile()) {
      estimator.LookAtOpening();
      std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
  }

  RecordingFrontEnd frontEnd;
  ScriptedGenerator generator;
  Estimator estimator;
};

}  // namespace orvanel::testing
