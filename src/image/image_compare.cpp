// vexel-image-compare: compares a new PNG with a reference PNG.
//
//   vexel-image-compare --tolerance N --share S [--always-write] REFERENCE NEW SIDE_BY_SIDE
//
// Exit code 0 when they match; 1 when they do not, after writing SIDE_BY_SIDE
// (reference, new, differences) and printing its path; 2 on a bad command line
// or an unreadable file. With --always-write the side-by-side image is
// written for matching pictures too (a report shows every frame).
#include "image/ImageComparison.hpp"
#include "image/PngFile.hpp"

#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

template <typename T>
bool parseNumber(std::string_view text, T& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

int usage(const std::string& reason) {
    std::fprintf(stderr,
                 "vexel-image-compare: %s\n"
                 "usage: vexel-image-compare --tolerance N --share S [--always-write] REFERENCE "
                 "NEW SIDE_BY_SIDE\n",
                 reason.c_str());
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    ox::image::ImageComparison comparison;
    std::vector<std::string> files;
    bool alwaysWrite = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--always-write") {
            alwaysWrite = true;
        } else if ((arg == "--tolerance" || arg == "--share") && i + 1 < argc) {
            const std::string_view value = argv[++i];
            const bool ok = arg == "--tolerance"
                                ? parseNumber(value, comparison.tolerance) &&
                                      comparison.tolerance >= 0 && comparison.tolerance <= 255
                                : parseNumber(value, comparison.maxShare) &&
                                      comparison.maxShare >= 0.0 && comparison.maxShare <= 1.0;
            if (!ok) {
                return usage("bad value '" + std::string(value) + "' for " + std::string(arg));
            }
        } else if (arg.starts_with("--")) {
            return usage("unknown option " + std::string(arg));
        } else {
            files.emplace_back(arg);
        }
    }
    if (files.size() != 3) {
        return usage("expected three files");
    }

    std::string error;
    const auto reference = ox::image::PngFile::read(files[0], error);
    if (!reference) {
        std::fprintf(stderr, "vexel-image-compare: cannot read the reference %s\n", error.c_str());
        return 2;
    }
    const auto candidate = ox::image::PngFile::read(files[1], error);
    if (!candidate) {
        std::fprintf(stderr, "vexel-image-compare: cannot read %s\n", error.c_str());
        return 2;
    }
    const auto result = comparison.compare(*reference, *candidate);
    if (result.matches) {
        std::printf("%s: matches (%.3f%% of pixels differ)\n", files[1].c_str(),
                    result.share * 100.0);
        if (alwaysWrite && !ox::image::PngFile::write(
                               files[2], comparison.sideBySide(*reference, *candidate), error)) {
            std::fprintf(stderr, "vexel-image-compare: cannot write the side-by-side image %s\n",
                         error.c_str());
            return 1;
        }
        return 0;
    }
    if (!result.sameSize) {
        std::printf("%s: %dx%d, the reference is %dx%d\n", files[1].c_str(), candidate->width,
                    candidate->height, reference->width, reference->height);
    } else {
        std::printf("%s: %.3f%% of pixels differ by more than %d, at most %.3f%% may\n",
                    files[1].c_str(), result.share * 100.0, comparison.tolerance,
                    comparison.maxShare * 100.0);
    }
    if (!ox::image::PngFile::write(files[2], comparison.sideBySide(*reference, *candidate),
                                   error)) {
        std::fprintf(stderr, "vexel-image-compare: cannot write the side-by-side image %s\n",
                     error.c_str());
        return 1;
    }
    std::printf("side by side: %s\n", files[2].c_str());
    return 1;
}
