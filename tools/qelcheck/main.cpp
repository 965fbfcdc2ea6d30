// qelcheck <content folder>: checks a content folder the way the engine will read it. Prints one
// line per problem and exits with 1, or prints a one-line summary and exits with 0.
#include "ContentCheck.h"

#include <filesystem>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2 || !std::filesystem::is_directory(argv[1])) {
        std::cerr << "usage: qelcheck <content folder>  (for example: qelcheck Assets)\n";
        return 2;
    }
    const Qel::Check::Report report = Qel::Check::checkContent(argv[1]);
    for (const Qel::Check::Problem& problem : report.problems)
        std::cout << Qel::Check::formatProblem(problem) << '\n';
    if (!report.problems.empty()) {
        std::cout << "qelcheck: " << report.problems.size()
                  << (report.problems.size() == 1 ? " problem" : " problems") << " in " << argv[1] << '\n';
        return 1;
    }
    std::cout << "qelcheck: " << report.filesChecked << " files in " << argv[1] << ", no problems\n";
    return 0;
}
