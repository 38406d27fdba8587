#include "cx/generator/TimeDelta.hpp"

#include <utility>

namespace ox::cx::generator {

TimeDelta::TimeDelta(std::shared_ptr<Cx0<double>> time)
    : Cx1<double, double>(std::move(time)) {}

int TimeDelta::compute() {
    const double current = input1->value;
    value = current - previous;
    previous = current;
    return 0;
}

} // namespace ox::cx::generator
