// A class's solutions checked as a whole zelk-run process: 30 solutions of a
// typical task on its 5 fields, the way a teacher runs it. The task: Zelk
// walks the whole field row by row and collects every item. Of the class,
// 22 solve it, 4 take only one item per square, one has a source error, one
// runs into the wall, one loads a work field of its own, and one never ends
// (ten million steps on each field, cut by the step limit).
//
//   cmake --build build --target task_bench && build/task_bench [runs]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "world/ZelkDatei.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

const char* const Sammler =
    "PROGRAM Sammler;\n"
    "PROCEDURE Rechts;\nBEGIN DREHE_LINKS; DREHE_LINKS; DREHE_LINKS END;\n"
    "PROCEDURE Sammle;\nBEGIN WHILE PLATZ_BELEGT DO NIMM_AUF END;\n"
    "PROCEDURE Bahn;\nBEGIN SAMMLE; WHILE VORNE_FREI DO BEGIN VOR; SAMMLE END END;\n"
    "BEGIN\n"
    "  REPEAT\n"
    "    BAHN;\n"
    "    IF OSTWAERTS THEN BEGIN DREHE_LINKS; IF VORNE_FREI THEN BEGIN VOR; DREHE_LINKS END END\n"
    "    ELSE BEGIN RECHTS; IF VORNE_FREI THEN BEGIN VOR; RECHTS END END\n"
    "  UNTIL NORDWAERTS\n"
    "END.\n";

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

void Write(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// Field k: items spread by a fixed rule, the robot bottom left facing east.
void WriteField(const fs::path& path, int k)
{
    TZelkZustand roboter;
    RobGitter feld;
    for (int y = 1; y <= FeldHoehe; ++y)
        for (int x = 1; x <= FeldBreite; ++x) {
            TZelle& z = feld[y - 1][x - 1];
            z.Anzahl = (x * 7 + y * 3 + k) % 11 < 3 ? (x + y + k) % 4 : 0;
            z.Offen[Ost] = x < FeldBreite;
            z.Offen[Nord] = y < FeldHoehe;
            z.Offen[West] = x > 1;
            z.Offen[Sued] = y > 1;
        }
    if (!RobDateiSchreiben(path.string(), roboter, feld))
        std::exit(1);
}

// Runs a program with its standard output thrown away; its exit status.
int Spawn(const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        return -1;
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const std::string zelkRun = ZELK_RUN_PATH;
    const fs::path dir = fs::temp_directory_path() / ("zelk-task-bench-" + std::to_string(::getpid()));
    fs::create_directories(dir / "aufgabe");
    fs::create_directories(dir / "klasse");

    // The goals are where the reference solution ends, written by zelk-run itself.
    Write(dir / "referenz.pas", Sammler);
    for (int k = 1; k <= 5; ++k) {
        const fs::path start = dir / "aufgabe" / ("feld" + std::to_string(k) + ".ROB");
        WriteField(start, k);
        const fs::path goal = dir / "aufgabe" / ("feld" + std::to_string(k) + ".ziel.ROB");
        if (Spawn({zelkRun, "--world", start.string(), "--dump", goal.string(), (dir / "referenz.pas").string()}) != 0)
            return 1;
    }

    std::vector<std::string> command = {zelkRun, "--task", (dir / "aufgabe").string()};
    for (int i = 1; i <= 30; ++i) {
        std::string text = Replaced(Sammler, "Sammler;", "Schueler" + std::to_string(i) + ";");
        if (i >= 23 && i <= 26)
            text = Replaced(text, "WHILE PLATZ_BELEGT DO NIMM_AUF", "IF PLATZ_BELEGT THEN NIMM_AUF");
        if (i == 27)
            text = Replaced(text, "UNTIL NORDWAERTS", "UNTIL");
        if (i == 28)
            text = Replaced(text, "  REPEAT\n", "  DREHE_LINKS; DREHE_LINKS; VOR;\n  REPEAT\n");
        if (i == 29)
            text = Replaced(text, "BEGIN\n  REPEAT", "BEGIN\n  ARBEITSFELD(feld1);\n  REPEAT");
        if (i == 30)
            text = "PROGRAM Kreis;\nBEGIN\n  WHILE NOT PLATZ_BELEGT DO DREHE_LINKS\nEND.\n";
        const fs::path file = dir / "klasse" / ("schueler" + std::to_string(i) + ".pas");
        Write(file, text);
        command.push_back(file.string());
    }

    std::printf("zelk-run: %s\n", zelkRun.c_str());
    std::fflush(stdout);

    std::vector<double> times;
    for (int r = 0; r < runs; ++r) {
        const auto start = std::chrono::steady_clock::now();
        if (Spawn(command) != 4)
            return 1;
        times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    double sum = 0;
    for (double t : times)
        sum += t;
    std::printf("\n30 solutions x 5 fields, %d runs: mean %.0f ms, min %.0f ms, median %.0f ms, max %.0f ms\n",
                runs, sum / runs * 1000, times.front() * 1000, times[times.size() / 2] * 1000, times.back() * 1000);
    fs::remove_all(dir);
    return 0;
}
