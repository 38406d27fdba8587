#include "app/Application.hpp"

int main() {
    return ox::app::runApplication();
}
