// Decoding every picture of the program (all states, the splash and the icons: what start-up
// and the tips dialog decode, and more) into bitmaps: the program's reader against wx's own
// XPM reader, the plain way, in alternating rounds. Needs a display:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/pictures_bench
#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/init.h>

#include <cstdio>
#include <vector>

#include "BenchSupport.h"
#include "GuiBench.h"
#include "Pictures.h"

namespace {

std::vector<const char* const*> AllXpms() {
  std::vector<const char* const*> all;
  for (int i = 0; i < PICTURE_COUNT; ++i)
    for (int st = 0; st <= static_cast<int>(PictureState::On); ++st)
      if (vrxHasPicture(PictureId(i), PictureState(st))) all.push_back(vrxPictureXpm(PictureId(i), PictureState(st)));
  for (const char* const* xpm : vrxWindowIconXpms()) all.push_back(xpm);
  return all;
}

void BM_DecodeAllPictures(benchmark::State& state) {
  const std::vector<const char* const*> all = AllXpms();
  std::vector<wxBitmap> bitmaps;
  bench::SideBySide(
      state, [&] { bitmaps.clear(); },
      [&] {
        for (const char* const* xpm : all) bitmaps.push_back(vrxBitmapFromXpm(xpm));
      },
      [&] {
        for (const char* const* xpm : all) bitmaps.push_back(wxBitmap(xpm));
      });
  state.counters["pictures"] = static_cast<double>(all.size());
}

void BM_DecodeSplash(benchmark::State& state) {
  const char* const* xpm = vrxPictureXpm(PictureSplash);
  wxBitmap bitmap;
  bench::SideBySide(
      state, [] {}, [&] { bitmap = vrxBitmapFromXpm(xpm); }, [&] { bitmap = wxBitmap(xpm); });
}

}  // namespace

int main(int argc, char** argv) {
  if (!bench::StartGui(argc, argv)) return 1;
  benchmark::Initialize(&argc, argv);
  benchmark::RegisterBenchmark("DecodeAllPictures", BM_DecodeAllPictures)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(11);
  benchmark::RegisterBenchmark("DecodeSplash", BM_DecodeSplash)->Unit(benchmark::kMillisecond)->Iterations(11);
  benchmark::RunSpecifiedBenchmarks();
  wxEntryCleanup();
  return 0;
}
