#include "app/Orbala.h"
#include "platform/Locale.h"

int main(int argc, char* argv[]) {
  FXApp application(kAppName, kVendorName);
  application.init(argc, argv);
  orbala::platform::useDotForNumbers();
  new Orbala(&application);
  application.create();
  return application.run();
}
