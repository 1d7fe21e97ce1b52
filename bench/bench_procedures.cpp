// SOLVE and the tableau load on grids with no window behind them: the
// procedures' own cost per cell write and per pause, without a pump turn or a
// repaint, in a process small enough for an instruction-level profiler:
//   valgrind --tool=callgrind build/release/bench/bench_procedures solve 100

#include "BenchSystem.h"

#include "app/Form1.h"
#include "ui/WindowlessGrid.h"

#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Answers every size prompt with n; the pump has no events to run.
class WindowlessServices final : public WindowServices
{
  public:
    explicit WindowlessServices(int n) : answer(std::to_string(n)) {}
    int check1Value() const override { return 0; }
    void setText1(std::string_view) override {}
    std::string inputBox(std::string_view, std::string_view, std::string_view) override
    {
        return answer;
    }
    bool doEvents() override
    {
        pacer.countPause();
        pacer.pumpTurns(true);
        return true;
    }

  protected:
    bool pauseWhenDue() override
    {
        if (pacer.pumpIsDue())
            pacer.pumpTurns(pacer.repaintIsDue());
        return true;
    }

  private:
    std::string answer;
};

double processorSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

} // namespace

int main(int argc, char **argv)
{
    const bool tableau = argc == 3 && std::strcmp(argv[1], "tableau") == 0;
    if (argc != 3 || (!tableau && std::strcmp(argv[1], "solve") != 0)) {
        std::fprintf(stderr, "usage: bench_procedures solve|tableau N\n");
        return 2;
    }
    const int n = std::atoi(argv[2]);
    CellTable input(3, 4), working(3, 4), unit(3, 4);
    WindowlessGrid msfmain0(input), msfmain(working), msfunit(unit);
    WindowlessServices window(n);
    Form1 form(msfmain0, msfmain, msfunit, window);
    form.Form_Load();
    tableau ? form.cmdpidim_Click() : form.cmddim_Click();

    const BenchSystem system(n);
    const int firstCol = tableau ? 2 : 1;
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n + 1; ++j) {
            msfmain0.setRow(i);
            msfmain0.setCol(firstCol + j - 1);
            msfmain0.setText(system.entryText(i, j));
        }
    }

    const double start = processorSeconds();
    tableau ? form.cmdpivot_Click() : form.cmdrun_Click();
    const double seconds = processorSeconds() - start;
    msfmain.setRow(n);
    msfmain.setCol(n + (tableau ? 2 : 1));
    std::printf("%s n=%d windowless, processor %.4f s, %lld pauses, last cell %s\n", argv[1], n,
                seconds, static_cast<long long>(window.pauseCount()), msfmain.text().c_str());
    return 0;
}
