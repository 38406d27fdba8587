#include "cx/generator/TimeTicks.hpp"

namespace ox::cx::generator {

int TimeTicks::compute() {
    return 0;
}

} // namespace ox::cx::generator
