#include "sim/host/suite_catalog.h"

namespace simhost {

void offerBuiltinSuites(SuiteBookkeeping& suites) {
    offerUtilitySuite(suites);
    offerCommandSuite(suites);
    offerRegisterSuite(suites);
    offerFileImportSuite(suites);
    offerProjSuite(suites);
    offerEffectSuite(suites);
    offerAnsiSuite(suites);
    offerCompSuite(suites);
    offerItemSuite(suites);
    offerLayerSuite(suites);
    offerFootageSuite(suites);
    offerStreamSuite(suites);
    offerKeyframeSuite(suites);
}

}  // namespace simhost
