#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <vector>

namespace corvellan::bench
{

// Times the project's work and its floor (the same work done the barest way)
// alternately in one process: one batch of each per benchmark iteration, in
// swapped order every other round, so that both sides meet the same load on a
// shared machine. Reports the medians of both times and of the per-round
// ratio project / floor. Each side returns a tally of the work it did (words
// read, bytes copied); the run fails when the two differ, so a floor cannot
// quietly do less than the project.
class PairedRounds
{
public:
    // Rounds for a full run and for the smoke run of the test script.
    static constexpr std::int64_t FullRounds = 21;
    static constexpr std::int64_t SmokeRounds = 2;

    template <class Project, class Floor>
    static void Run(benchmark::State& state, Project&& project, Floor&& floor)
    {
        // One round before timing, so that caches, kept folder listings and
        // lazily built tables start warm on both sides.
        if (project() != floor())
        {
            state.SkipWithError("the project and its floor did different work");
            return;
        }
        std::vector<double> projectTimes;
        std::vector<double> floorTimes;
        std::vector<double> ratios;
        std::int64_t round = 0;
        for (auto _ : state)
        {
            std::int64_t projectTally = 0;
            std::int64_t floorTally = 0;
            double projectTime = 0.0;
            double floorTime = 0.0;
            if (round++ % 2 == 0)
            {
                projectTime = Time(project, projectTally);
                floorTime = Time(floor, floorTally);
            }
            else
            {
                floorTime = Time(floor, floorTally);
                projectTime = Time(project, projectTally);
            }
            if (projectTally != floorTally)
            {
                state.SkipWithError("the project and its floor did different work");
                return;
            }
            projectTimes.push_back(projectTime);
            floorTimes.push_back(floorTime);
            ratios.push_back(floorTime > 0.0 ? projectTime / floorTime : 0.0);
        }
        state.counters["project_us"] = Median(projectTimes);
        state.counters["floor_us"] = Median(floorTimes);
        state.counters["ratio"] = Median(ratios);
    }

private:
    template <class Work>
    static double Time(Work& work, std::int64_t& tally)
    {
        const auto start = std::chrono::steady_clock::now();
        tally = work();
        const auto end = std::chrono::steady_clock::now();
        return std::chrono::duration<double, std::micro>(end - start).count();
    }

    static double Median(std::vector<double> values)
    {
        if (values.empty())
            return 0.0;
        const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
        std::nth_element(values.begin(), middle, values.end());
        return *middle;
    }
};

} // namespace corvellan::bench
