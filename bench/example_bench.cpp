// End-to-end benchmark: the dalvenor program renders the island example at 800 by 600, timed as a whole process.
#include <benchmark/benchmark.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

static void BM_ExampleScriptProcess(benchmark::State& state) {
  namespace fs = std::filesystem;
  const fs::path work = fs::temp_directory_path() / "dalvenor_example_bench";
  fs::create_directories(work);
  const std::string command = "cd '" + work.string() + "' && '" DALVENOR_PROGRAM "' '" DALVENOR_EXAMPLES
                              "/island_sunset.scr' 2>/dev/null";
  for (auto _ : state) {
    const int status = std::system(command.c_str());
    if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("the example script did not run to its end");
      break;
    }
  }
  fs::remove_all(work);
}
BENCHMARK(BM_ExampleScriptProcess)->Unit(benchmark::kMillisecond)->Iterations(5);
