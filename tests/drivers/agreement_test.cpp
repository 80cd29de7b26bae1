// The frame tests' probes as measured on each GL driver, compared driver against driver: each
// must agree with the others, not only with the expected picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The same tolerance a colour probe has against the lighting equation.
constexpr int COLOUR_TOLERANCE = 3;
// Counts and extents of white or coloured pixels over lines and stroke text. Which pixels a
// line covers is left to the implementation (the diamond-exit rule is only recommended), and
// softpipe does not follow it exactly, so their size may differ a little; whether they are
// there at all may not.
constexpr double COUNT_SHARE = 0.2;
constexpr int COUNT_SLACK = 2;
constexpr int EXTENT_SLACK = 1;

struct probe {
    std::string kind;
    int a, b, c;
};

std::vector<std::string> split(const std::string& list)
{
    std::vector<std::string> parts;
    std::stringstream in(list);
    for (std::string part; std::getline(in, part, ',');) {
        parts.push_back(part);
    }
    return parts;
}

std::vector<probe> read_probes(const fs::path& file)
{
    std::vector<probe> probes;
    std::ifstream in(file);
    for (probe p; in >> p.kind >> p.a >> p.b >> p.c;) {
        probes.push_back(p);
    }
    return probes;
}

bool counts_agree(int a, int b)
{
    const int most = std::max(a, b);
    return (a == 0) == (b == 0) &&
           std::abs(a - b) <= std::max(COUNT_SLACK, int(COUNT_SHARE * most));
}

bool agree(const probe& x, const probe& y)
{
    if (x.kind != y.kind) {
        return false;
    }
    if (x.kind == "colour") {
        return std::abs(x.a - y.a) <= COLOUR_TOLERANCE && std::abs(x.b - y.b) <= COLOUR_TOLERANCE &&
               std::abs(x.c - y.c) <= COLOUR_TOLERANCE;
    }
    if (x.kind == "count") {
        return counts_agree(x.a, y.a);
    }
    return std::abs(x.a - y.a) <= EXTENT_SLACK && std::abs(x.b - y.b) <= EXTENT_SLACK;
}

std::string show(const probe& p)
{
    return p.kind + " " + std::to_string(p.a) + " " + std::to_string(p.b) + " " +
           std::to_string(p.c);
}

TEST(Drivers, AgreeWithEachOtherOnEveryProbe)
{
    const char* root = std::getenv("ORVENA_PROBE_ROOT");
    const char* list = std::getenv("ORVENA_GL_DRIVERS");
    ASSERT_TRUE(root != nullptr && list != nullptr) << "ORVENA_PROBE_ROOT and ORVENA_GL_DRIVERS";
    const std::vector<std::string> drivers = split(list);
    ASSERT_GE(drivers.size(), 2U);

    const fs::path first = fs::path(root) / drivers[0];
    int files = 0;
    int compared = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(first)) {
        ++files;
        const std::string test = entry.path().filename().string();
        const std::vector<probe> reference = read_probes(entry.path());
        for (std::size_t d = 1; d < drivers.size(); ++d) {
            SCOPED_TRACE(test + ": " + drivers[0] + " against " + drivers[d]);
            const fs::path other = fs::path(root) / drivers[d] / test;
            ASSERT_TRUE(fs::exists(other)) << "no probes from " << drivers[d];
            const std::vector<probe> probes = read_probes(other);
            ASSERT_EQ(probes.size(), reference.size()) << "the runs took different paths";
            for (std::size_t i = 0; i < probes.size(); ++i) {
                EXPECT_TRUE(agree(reference[i], probes[i]))
                    << "probe " << i + 1 << ": " << show(reference[i]) << " on " << drivers[0]
                    << ", " << show(probes[i]) << " on " << drivers[d];
                ++compared;
            }
        }
    }
    EXPECT_GT(files, 0) << "no probes recorded in " << first;
    EXPECT_GT(compared, 0);
}

}  // namespace
