// Checks side roughing on thousands of random parts (see bench/side_roughing_jobs.h) and reports
// how many jobs and layers held. Usage: side_roughing_properties [jobs [first seed]].
#include "bench/side_roughing_jobs.h"

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    unsigned jobs = argc > 1 ? static_cast<unsigned>(std::stoul(argv[1])) : 5000;
    unsigned first = argc > 2 ? static_cast<unsigned>(std::stoul(argv[2])) : 1;
    auto start = std::chrono::steady_clock::now();
    size_t layers = 0, failed = 0;
    for (unsigned seed = first; seed < first + jobs; ++seed) {
        torvex::SideRoughingJob job = torvex::RandomSideRoughingJob(seed);
        size_t checked = 0;
        std::string fault = torvex::CheckSideRoughingJob(job, checked);
        layers += checked;
        if (!fault.empty()) {
            ++failed;
            std::cout << fault << "\n" << torvex::DescribeSideRoughingJob(job) << "\n";
        }
    }
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << jobs << " jobs (seeds " << first << " to " << first + jobs - 1 << "), " << layers
              << " layers checked, " << failed << " jobs failed, " << seconds << " s\n";
    return failed == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
