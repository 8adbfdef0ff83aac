#include <clocale>

#include "app/Orbala.h"

int main(int argc, char* argv[]) {
  FXApp application(kAppName, kVendorName);
  application.init(argc, argv);
  // The toolkit adopts the user's locale; numbers in cells and files always use a dot.
  std::setlocale(LC_NUMERIC, "C");
  new Orbala(&application);
  application.create();
  return application.run();
}
