#pragma once

#include "sim/host/suite_bookkeeping.h"

namespace simhost {

// Each suite file offers its tables; offerBuiltinSuites calls them all. A new suite file adds
// its function here and one line to offerBuiltinSuites.
void offerUtilitySuite(SuiteBookkeeping& suites);
void offerCommandSuite(SuiteBookkeeping& suites);
void offerRegisterSuite(SuiteBookkeeping& suites);
void offerFileImportSuite(SuiteBookkeeping& suites);
void offerProjSuite(SuiteBookkeeping& suites);
void offerEffectSuite(SuiteBookkeeping& suites);
void offerAnsiSuite(SuiteBookkeeping& suites);
void offerCompSuite(SuiteBookkeeping& suites);
void offerItemSuite(SuiteBookkeeping& suites);
void offerLayerSuite(SuiteBookkeeping& suites);
void offerFootageSuite(SuiteBookkeeping& suites);
void offerStreamSuite(SuiteBookkeeping& suites);
void offerKeyframeSuite(SuiteBookkeeping& suites);

void offerBuiltinSuites(SuiteBookkeeping& suites);

}  // namespace simhost
