// The whole engine layer in one include.
#pragma once

#include "engine/base/CCAffineTransform.h"
#include "engine/base/CCArray.h"
#include "engine/base/CCAutoreleasePool.h"
#include "engine/base/CCDictionary.h"
#include "engine/base/CCGeometry.h"
#include "engine/base/CCLog.h"
#include "engine/base/CCObject.h"
#include "engine/base/CCSet.h"
#include "engine/base/CCString.h"
#include "engine/base/ccTypes.h"

#include "engine/platform/CCEGLView.h"
#include "engine/platform/CCFileUtils.h"
#include "engine/platform/CCPropertyList.h"

#include "engine/scene/CCDirector.h"
#include "engine/scene/CCLayer.h"
#include "engine/scene/CCNode.h"
#include "engine/scene/CCScene.h"
#include "engine/scene/CCScheduler.h"
#include "engine/scene/CCTouch.h"
#include "engine/scene/CCTouchDelegate.h"
#include "engine/scene/CCTouchDispatcher.h"

#include "engine/actions/CCAction.h"
#include "engine/actions/CCActionManager.h"
#include "engine/actions/CCActionEase.h"
#include "engine/actions/CCActionInstant.h"
#include "engine/actions/CCActionInterval.h"

#include "engine/render/CCRenderer.h"
#include "engine/render/CCTexture2D.h"

#include "engine/audio/AudioBackend.h"
#include "engine/audio/MixerAudioBackend.h"
#include "engine/audio/SimpleAudioEngine.h"
#include "engine/audio/VirtualClockAudioBackend.h"

#include "engine/transitions/CCPageCurlMesh.h"
#include "engine/transitions/CCSceneSnapshot.h"
#include "engine/transitions/CCTransitionPageTurn.h"
#include "engine/transitions/CCTransitionScene.h"
#include "engine/transitions/CCTransitionZoomFlipY.h"
